#pragma once

#include <array>
#include <string>

constexpr int kSheetQuestions = 100;

// Letters pencilled in each question row: "" for a blank row, "b" for one mark,
// "ac" for a row marked twice. Letters are a to e, each at most once, in order.
using MarkedAnswers = std::array<std::string, kSheetQuestions>;

// How a student marks a box, as classes really fill the sheet.
enum class MarkKind {
    Neat, // the whole bubble, as the pencil mark has always been drawn
    Partial, // half to nine tenths of the bubble
    OffCentre, // a full fill slid towards a corner
    Heavy, // pressed hard, a little past the bubble
    Tick,
    Cross,
    Ballpoint, // a fill in blue ballpoint
    Circle, // a ring drawn round the letter, its centre left light
    Faint, // a light pencil
    // What happened to a whole row, its marks drawn neat:
    Changed, // the answer drawn over the erased residue of another letter
    Erased, // the answer rubbed out to blank: its residue only
    Double, // two letters fully marked
};

// How one row, or one ID column, was marked.
struct ItemMark {
    MarkKind kind = MarkKind::Neat;
    double cover = 0; // a partial fill's share of the bubble; 0: drawn at random from 0.5 to 0.9
    int residueGrey = 0; // grey an eraser left; 0: drawn at random from 150 to 210
};

// An ID column whose digit was changed: the old digit's residue under the new one.
struct ChangedIdDigit {
    int band = -1; // 0..7; -1: no digit changed
    int oldDigit = 0;
    int residueGrey = 0; // as for ItemMark
};

// What one filled sheet carries.
struct SheetContent {
    std::string examineeId = "00000000"; // eight digits
    MarkedAnswers marks;
    std::array<ItemMark, kSheetQuestions> items; // how each row was marked
    MarkedAnswers erased; // letters rubbed out, leaving their residue
    ChangedIdDigit idChange;
    double tiltDegrees = 0; // positive: the right side lies higher
};

// Both return an error message for a person, or an empty string on success.
std::string ParseExamineeId(const std::string& text, std::string& id);
// Up to 100 comma-separated entries; missing entries are blank rows.
std::string ParseMarkList(const std::string& text, MarkedAnswers& marks);
