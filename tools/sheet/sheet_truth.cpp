#include "sheet_truth.h"

SheetTruth ScoreDrawnSheet(const MarkedAnswers& marks, const AnswerList& key)
{
    SheetTruth truth;
    for (size_t q = 0; q < key.size(); ++q) {
        if (key[q].size() != 1 || key[q][0] < 'a' || key[q][0] > 'e')
            continue;
        if (marks[q].size() >= 2)
            ++truth.error;
        else if (marks[q] == key[q])
            ++truth.correct;
        else
            ++truth.wrong;
    }
    return truth;
}
