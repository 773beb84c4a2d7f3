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
};

// What one filled sheet carries.
struct SheetContent {
    std::string examineeId = "00000000"; // eight digits
    MarkedAnswers marks;
    MarkKind markKind = MarkKind::Neat; // how every answer is marked
    MarkedAnswers erased; // letters rubbed out, leaving their residue
    double tiltDegrees = 0; // positive: the right side lies higher
};

// Both return an error message for a person, or an empty string on success.
std::string ParseExamineeId(const std::string& text, std::string& id);
// Up to 100 comma-separated entries; missing entries are blank rows.
std::string ParseMarkList(const std::string& text, MarkedAnswers& marks);
