#include "sheet_truth.h"

#include "classroom_mark.h"
#include "framework/format.h"

namespace {

bool Heavy(int residueGrey)
{
    return residueGrey > 0 && residueGrey < kHeavyResidue;
}

// The row's kind as items.csv names it: what was drawn, "blank" for nothing at all.
const char* RowKind(const SheetContent& content, size_t q)
{
    if (content.marks[q].empty())
        return content.erased[q].empty() ? "blank" : "erased";
    return MarkKindName(content.items[q].kind);
}

} // namespace

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

std::string TeacherReads(const SheetContent& content, int question)
{
    const auto q = static_cast<size_t>(question);
    const ItemMark& item = content.items[q];
    const bool residue = !content.erased[q].empty();
    if (residue && Heavy(item.residueGrey))
        return "?";
    if (content.marks[q].empty())
        return "";
    if (item.kind == MarkKind::Circle
        || (item.kind == MarkKind::Partial && item.cover > 0 && item.cover < kHalfBubble))
        return "?";
    return content.marks[q];
}

std::string TeacherReadsId(const SheetContent& content, int band)
{
    const ChangedIdDigit& change = content.idChange;
    if (change.band == band && Heavy(change.residueGrey))
        return "?";
    return std::string(1, content.examineeId[static_cast<size_t>(band)]);
}

SheetTruth ScoreClearItems(const SheetContent& content, const AnswerList& key)
{
    MarkedAnswers clear;
    AnswerList counted = key;
    for (int q = 0; q < kSheetQuestions; ++q) {
        clear[static_cast<size_t>(q)] = TeacherReads(content, q);
        if (clear[static_cast<size_t>(q)] == "?")
            counted[static_cast<size_t>(q)].clear(); // no key letter: not counted
    }
    return ScoreDrawnSheet(clear, counted);
}

std::string ItemRows(const std::string& file, const SheetContent& content)
{
    std::string rows;
    for (int q = 0; q < kSheetQuestions; ++q)
        rows += FormatText("%s,q%d,%s,%s\n", file.c_str(), q + 1, RowKind(content, static_cast<size_t>(q)),
            TeacherReads(content, q).c_str());
    for (int band = 0; band < static_cast<int>(content.examineeId.size()); ++band)
        rows += FormatText("%s,id:%d,%s,%s\n", file.c_str(), band + 1,
            band == content.idChange.band ? "changed" : "neat", TeacherReadsId(content, band).c_str());
    return rows;
}
