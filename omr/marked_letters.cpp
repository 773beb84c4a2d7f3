#include "omr/marked_letters.h"

#include "image/sheet_image.h"
#include "omr/black_columns.h"
#include "omr/pixel_rules.h"
#include "omr/sheet_layout.h"

#include <algorithm>

MarkedLetters ReadMarkedLetters(const SheetImage& image, const QuestionRows& rows)
{
    MarkedLetters marked;
    for (size_t question = 0; question < rows.size(); ++question) {
        std::array<PixelArea, kLettersPerRow> boxes;
        for (int letter = 0; letter < kLettersPerRow; ++letter)
            boxes[static_cast<size_t>(letter)]
                = ReadablePart(AnswerBoxArea(LayAnswerBox(rows[question], letter)), image);
        // The five boxes share their rows, and side by side span 93 columns at most:
        // one count over all of them.
        const PixelArea row { { boxes.front().columns.first, boxes.back().columns.end }, boxes.front().rows };
        const ColumnCounts black = CountBlackByColumn(image, row);
        for (size_t letter = 0; letter < boxes.size(); ++letter) {
            const PixelSpan& columns = boxes[letter].columns;
            const int end = std::min(columns.end, row.columns.first + kMaxCountedColumns);
            int count = 0;
            for (int column = columns.first; column < end; ++column)
                count += black[static_cast<size_t>(column - row.columns.first)];
            if (count >= kMarkedBoxBlack)
                marked[question] += static_cast<char>('a' + letter);
        }
    }
    return marked;
}
