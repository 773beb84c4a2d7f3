#include "grading/graded_class.h"

#include "results/class_book.h"

void ScoreRow(ClassSheetRow& row, const GradedSheet& sheet, const GradedClass& graded)
{
    if (graded.plan && sheet.finalReading.graded)
        row.planned = ScoreWithPlan(*graded.plan, graded.key.answers, sheet.finalReading);
}

ClassWorkbook MakeClassBook(GradedClass whole)
{
    ClassWorkbook book { whole.key.answers, {}, {}, {}, {}, whole.plan };
    book.sheets.reserve(whole.sheets.size());
    for (size_t s = 0; s < whole.sheets.size(); ++s) {
        GradedSheet& sheet = whole.sheets[s];
        book.sheets.push_back(
            s < whole.shown.size() ? ClassRowWithReview(sheet, whole.shown[s]) : ClassRowOf(sheet));
        ScoreRow(book.sheets.back(), sheet, whole);
        sheet = GradedSheet(); // a large class is not held twice
    }
    const AnswerList& key = book.key;
    std::vector<std::string> rosterSummary;
    if (whole.roster) {
        RosterCheck check = NameFromRoster(*whole.roster, book.sheets);
        rosterSummary = std::move(check.summary);
        book.findings = std::move(check.findings);
    }
    std::vector<const GradedAnswers*> graded;
    for (const ClassSheetRow& sheet : book.sheets)
        if (sheet.graded)
            graded.push_back(&sheet.answers);
    book.items = AnalyseItemsInPlace(key, graded);
    book.notes.push_back(ItemsSummaryLine(book.items));
    book.notes.insert(book.notes.end(), rosterSummary.begin(), rosterSummary.end());
    return book;
}
