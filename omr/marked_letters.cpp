#include "omr/marked_letters.h"

#include "image/sheet_image.h"
#include "omr/black_columns.h"
#include "omr/pixel_rules.h"
#include "omr/sheet_layout.h"

#include <algorithm>

std::array<PixelArea, kLettersPerRow> RowBoxes(const SheetImage& image, const GridBox& row)
{
    std::array<PixelArea, kLettersPerRow> boxes;
    for (int letter = 0; letter < kLettersPerRow; ++letter)
        boxes[static_cast<size_t>(letter)] = ReadablePart(AnswerBoxArea(LayAnswerBox(row, letter)), image);
    return boxes;
}

std::array<int, kLettersPerRow> SumBoxColumns(
    const ColumnCounts& black, int firstColumn, const std::array<PixelArea, kLettersPerRow>& boxes)
{
    std::array<int, kLettersPerRow> counts {};
    for (size_t letter = 0; letter < boxes.size(); ++letter) {
        const PixelSpan& columns = boxes[letter].columns;
        const int first = std::max(columns.first, firstColumn);
        const int end = std::min(columns.end, firstColumn + kMaxCountedColumns);
        for (int column = first; column < end; ++column)
            counts[letter] += black[static_cast<size_t>(column - firstColumn)];
    }
    return counts;
}

std::array<int, kLettersPerRow> CountBoxBlack(
    const SheetImage& image, const std::array<PixelArea, kLettersPerRow>& boxes)
{
    // The five boxes share their rows, and side by side span 93 columns at most:
    // one count over all of them.
    const PixelArea strip { { boxes.front().columns.first, boxes.back().columns.end }, boxes.front().rows };
    return SumBoxColumns(CountBlackByColumn(image, strip), strip.columns.first, boxes);
}

MarkedLetters ReadMarkedLetters(const SheetImage& image, const QuestionRows& rows)
{
    MarkedLetters marked;
    for (size_t question = 0; question < rows.size(); ++question) {
        const std::array<int, kLettersPerRow> black = CountBoxBlack(image, RowBoxes(image, rows[question]));
        for (size_t letter = 0; letter < black.size(); ++letter)
            if (black[letter] >= kMarkedBoxBlack)
                marked[question] += static_cast<char>('a' + letter);
    }
    return marked;
}
