#pragma once

#include "answerkey/answer_key.h"
#include "omr/second_reading/mark_judgement.h"
#include "omr/second_reading/page_transform.h"
#include "omr/sheet_layout.h"

#include <array>
#include <string>

class GreyPage;

// An ID column the second reading could not settle.
constexpr int kNoDigitMarked = -1;
constexpr int kSeveralDigitsMarked = -2;

// A reading of the scan that shares none of the first reading's hard edges: the
// marks as blobs, the grid by a true rotation from them, each box judged by its
// ink against the paper and against the marks of the same sheet.
struct SecondReading {
    bool read = false; // false: a registration mark was not found
    double degrees = 0; // the page's turn
    SheetPoint leftCorner; // the fitted reference pixels of both marks
    SheetPoint rightCorner;
    std::array<int, kIdDigitCount> digits {}; // a digit, kNoDigitMarked or kSeveralDigitsMarked
    std::array<std::string, kQuestionCount> marked; // letters marked in each row, "" "b" "ac"
    // How much darker than the paper each box is (0 to 255), and the ink from which on
    // a box counts as marked on this sheet.
    std::array<std::array<int, kLettersPerRow>, kQuestionCount> answerInk {};
    std::array<std::array<int, 10>, kIdDigitCount> idInk {};
    int markedInk = 0;
    // Where a careful teacher would look twice: a row or column read with a doubt.
    std::array<MarkDoubt, kQuestionCount> answerDoubt {};
    std::array<MarkDoubt, kIdDigitCount> idDoubt {};

    // The eight digits, '?' where a column is not settled.
    std::string IdText() const;
};

// Reads the page; the grid lies where omr/sheet_layout puts it on the untilted form.
SecondReading ReadSecondly(const GreyPage& page);
