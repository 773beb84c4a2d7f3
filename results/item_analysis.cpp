#include "results/item_analysis.h"

#include "framework/format.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// The share of sheets taken into each of the upper and lower groups.
constexpr double kGroupShare = 0.27;

bool IsKeyLetter(const std::string& answer)
{
    return answer.size() == 1 && answer[0] >= 'a' && answer[0] <= 'e';
}

bool IsCorrect(const GradedAnswers& sheet, size_t index)
{
    return sheet.scores[index] == QuestionScore::Correct;
}

bool HasMarked(const GradedAnswers& sheet, size_t index, char letter)
{
    return sheet.marked[index].find(letter) != std::string::npos;
}

int32_t Total(const GradedAnswers& sheet, const std::vector<size_t>& keyed)
{
    return static_cast<int32_t>(
        std::count_if(keyed.begin(), keyed.end(), [&](size_t index) { return IsCorrect(sheet, index); }));
}

TestStatistics Describe(std::vector<int32_t> totals, int32_t questions)
{
    TestStatistics test;
    test.sheets = static_cast<int32_t>(totals.size());
    test.questions = questions;
    if (totals.empty())
        return test;
    const double n = static_cast<double>(totals.size());
    test.mean = std::accumulate(totals.begin(), totals.end(), 0.0) / n;
    double squares = 0;
    for (const int32_t total : totals)
        squares += (total - test.mean) * (total - test.mean);
    test.standardDeviation = std::sqrt(squares / n);
    std::sort(totals.begin(), totals.end());
    const size_t middle = totals.size() / 2;
    test.median = totals.size() % 2 == 1 ? totals[middle] : (totals[middle - 1] + totals[middle]) / 2.0;
    test.lowest = totals.front();
    test.highest = totals.back();
    return test;
}

} // namespace

ItemAnalysis AnalyseItems(const AnswerList& key, const std::vector<GradedAnswers>& sheets)
{
    std::vector<const GradedAnswers*> each;
    each.reserve(sheets.size());
    for (const GradedAnswers& sheet : sheets)
        each.push_back(&sheet);
    return AnalyseItemsInPlace(key, each);
}

ItemAnalysis AnalyseItemsInPlace(const AnswerList& key, const std::vector<const GradedAnswers*>& sheets)
{
    std::vector<size_t> keyed;
    for (size_t index = 0; index < key.size(); ++index)
        if (IsKeyLetter(key[index]))
            keyed.push_back(index);

    std::vector<int32_t> totals;
    totals.reserve(sheets.size());
    for (const GradedAnswers* sheet : sheets)
        totals.push_back(Total(*sheet, keyed));

    ItemAnalysis analysis;
    analysis.test = Describe(totals, static_cast<int32_t>(keyed.size()));
    const TestStatistics& test = analysis.test;

    std::vector<size_t> ranked(sheets.size());
    std::iota(ranked.begin(), ranked.end(), size_t { 0 });
    std::stable_sort(ranked.begin(), ranked.end(), [&](size_t a, size_t b) { return totals[a] > totals[b]; });
    const size_t group = sheets.empty()
        ? 0
        : std::max<size_t>(1, std::lround(kGroupShare * static_cast<double>(sheets.size())));
    const std::vector<size_t> upper(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(group));
    const std::vector<size_t> lower(ranked.end() - static_cast<std::ptrdiff_t>(group), ranked.end());

    const double n = static_cast<double>(sheets.size());
    double itemVariances = 0;
    for (const size_t index : keyed) {
        ItemStatistics item;
        item.question = static_cast<int32_t>(index + 1);
        item.key = key[index][0];
        int32_t correct = 0;
        double correctTotals = 0;
        for (size_t s = 0; s < sheets.size(); ++s) {
            const GradedAnswers& sheet = *sheets[s];
            if (IsCorrect(sheet, index)) {
                ++correct;
                correctTotals += totals[s];
            }
            if (sheet.scores[index] == QuestionScore::RowRejected)
                ++item.rejected;
            else if (sheet.marked[index].empty())
                ++item.blank;
            for (char letter = 'a'; letter <= 'e'; ++letter)
                item.letterCounts[static_cast<size_t>(letter - 'a')]
                    += HasMarked(sheet, index, letter) ? 1 : 0;
        }
        if (sheets.empty()) {
            analysis.items.push_back(item);
            continue;
        }
        const double p = correct / n;
        item.difficulty = p;
        itemVariances += p * (1 - p);

        auto countIn = [&](const std::vector<size_t>& members, auto&& test) {
            return static_cast<int32_t>(std::count_if(members.begin(), members.end(), test));
        };
        const int32_t upperCorrect = countIn(upper, [&](size_t s) { return IsCorrect(*sheets[s], index); });
        const int32_t lowerCorrect = countIn(lower, [&](size_t s) { return IsCorrect(*sheets[s], index); });
        item.discrimination = static_cast<double>(upperCorrect - lowerCorrect) / static_cast<double>(group);

        // Pearson's correlation of the item's 0/1 with the total: (M1 - M) / s * sqrt(p / q).
        if (correct > 0 && correct < test.sheets && test.standardDeviation > 0)
            item.pointBiserial
                = (correctTotals / correct - test.mean) / test.standardDeviation * std::sqrt(p / (1 - p));

        const int32_t upperKey
            = countIn(upper, [&](size_t s) { return HasMarked(*sheets[s], index, item.key); });
        bool distractorPreferred = false;
        for (char letter = 'a'; letter <= 'e'; ++letter)
            if (letter != item.key
                && countIn(upper, [&](size_t s) { return HasMarked(*sheets[s], index, letter); }) > upperKey)
                distractorPreferred = true;
        item.checkKey = item.discrimination < 0 || distractorPreferred;
        analysis.items.push_back(item);
    }

    const double variance = test.standardDeviation * test.standardDeviation;
    if (keyed.size() >= 2 && variance > 0) {
        const double k = static_cast<double>(keyed.size());
        analysis.test.kr20 = k / (k - 1) * (1 - itemVariances / variance);
    }
    return analysis;
}

const char* ItemFlagText(const ItemStatistics& item)
{
    return item.checkKey ? "check the key" : "";
}

std::string ItemsCsvHeader()
{
    return "question,key,difficulty,discrimination,point_biserial,a,b,c,d,e,blank,rejected,flag\n";
}

std::string ItemsCsvRow(const ItemStatistics& item)
{
    std::string row
        = FormatText("%d,%c,%.4f,%.4f,", item.question, item.key, item.difficulty, item.discrimination);
    if (item.pointBiserial)
        row += FormatText("%.4f", *item.pointBiserial);
    for (const int32_t count : item.letterCounts)
        row += FormatText(",%d", count);
    return row + FormatText(",%d,%d,%s\n", item.blank, item.rejected, ItemFlagText(item));
}
