#pragma once

#include "answerkey/answer_key.h"
#include "omr/marked_letters.h"
#include "omr/question_observer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What one graded sheet gave, question by question: how the engine scored each keyed
// question and the letters found marked in every row.
struct GradedAnswers {
    std::array<std::optional<QuestionScore>, kQuestionCount> scores;
    MarkedLetters marked;
};

// One keyed question across the class.
struct ItemStatistics {
    int32_t question = 0; // 1 to 100
    char key = 'a';
    double difficulty = 0; // share of sheets that answered it correctly, 0 to 1
    double discrimination = 0; // share correct in the upper 27 % minus that in the lower 27 %
    std::optional<double> pointBiserial; // none when the item or the total does not vary
    std::array<int32_t, 5> letterCounts {}; // sheets with a to e marked; a double mark counts twice
    int32_t blank = 0; // nothing marked, row not rejected
    int32_t rejected = 0; // the row check rejected the row
    bool checkKey = false; // negative discrimination, or the upper group preferred a distractor
};

// The totals (correct answers per sheet) of the class.
struct TestStatistics {
    int32_t sheets = 0;
    int32_t questions = 0; // keyed questions
    double mean = 0;
    double median = 0;
    double standardDeviation = 0; // of the class itself (divided by the number of sheets)
    int32_t lowest = 0;
    int32_t highest = 0;
    std::optional<double> kr20; // none with fewer than two questions or totals that do not vary
};

struct ItemAnalysis {
    std::vector<ItemStatistics> items; // one per question with a key letter a to e, in order
    TestStatistics test;
};

// Classical item analysis of the graded sheets against the key. A sheet's total is its
// number of correct answers. The upper and lower groups are the 27 % of sheets (at
// least one) with the highest and lowest totals; equal totals keep the sheets' order.
ItemAnalysis AnalyseItems(const AnswerList& key, const std::vector<GradedAnswers>& sheets);
// The same over sheets held elsewhere, so that a large class is not copied.
ItemAnalysis AnalyseItemsInPlace(const AnswerList& key, const std::vector<const GradedAnswers*>& sheets);

// The items as CSV: question,key,difficulty,discrimination,point_biserial,a,b,c,d,e,
// blank,rejected,flag; a point-biserial that does not exist is left empty.
std::string ItemsCsvHeader();
std::string ItemsCsvRow(const ItemStatistics& item);

// "check the key" or nothing.
const char* ItemFlagText(const ItemStatistics& item);
