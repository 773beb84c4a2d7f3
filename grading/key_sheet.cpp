#include "grading/key_sheet.h"

#include "framework/format.h"
#include "grading/sheet_grader.h"

namespace {

// The letters of every row as both readings read them.
GradedSheet ReadAllRows(const SheetPage& page)
{
    SheetJob job;
    job.page = page;
    job.readMarkedLetters = true;
    // The letters of a row are read where a key has a question: one in every row.
    AnswerKey everyRow;
    everyRow.answers.fill("a");
    everyRow.count = kQuestionCount;
    return ReadSheetFile(job, everyRow);
}

bool MarkedAsKeySheet(const GradedSheet& sheet)
{
    return sheet.status != SheetStatus::Refused && sheet.measured && sheet.second.read
        && sheet.first.examineeId == 0 && sheet.second.IdText() == "00000000";
}

Result<AnswerList> KeyOf(const GradedSheet& sheet, const std::string& name)
{
    const std::string named = FormatText("กระดาษเฉลย %s", name.c_str());
    if (sheet.status == SheetStatus::Refused || !sheet.measured)
        return Status::Failure(named + " อ่านไม่ได้: " + sheet.refusal);
    if (!sheet.second.read)
        return Status::Failure(named + ": ไม่พบเครื่องหมายมุมกระดาษสำหรับการอ่านครั้งที่สอง");
    AnswerList answers;
    std::string doubts;
    for (size_t q = 0; q < kQuestionCount; ++q) {
        const std::string& first = sheet.first.letters[q];
        const std::string& second = sheet.second.marked[q];
        const int question = static_cast<int>(q + 1);
        if (first != second)
            doubts += FormatText(
                "\nข้อ %d: อ่านครั้งแรกได้ \"%s\" อ่านครั้งที่สองได้ \"%s\"", question, first.c_str(), second.c_str());
        else if (first.size() > 1)
            doubts += FormatText("\nข้อ %d: ระบายหลายช่อง (%s)", question, first.c_str());
        else
            answers[q] = first;
    }
    if (!doubts.empty())
        return Status::Failure(
            named + ": ข้อเหล่านี้อ่านเป็นเฉลยไม่ได้ แก้กระดาษเฉลยแล้วสแกนใหม่ หรือใช้แฟ้มเฉลยแทน" + doubts);
    return answers;
}

} // namespace

Result<AnswerList> ReadKeySheet(const std::string& path)
{
    return KeyOf(ReadAllRows({ path, 0, 1, {}, 0 }), path);
}

Result<std::optional<FoundKeySheet>> FindKeySheet(const std::vector<SheetPage>& pages)
{
    for (size_t index = 0; index < pages.size(); ++index) {
        if (!pages[index].refusal.empty())
            continue;
        const GradedSheet sheet = ReadAllRows(pages[index]);
        if (!MarkedAsKeySheet(sheet))
            continue;
        Result<AnswerList> answers = KeyOf(sheet, pages[index].Name());
        if (!answers)
            return answers.status();
        return std::optional<FoundKeySheet>(FoundKeySheet { index, std::move(answers).value() });
    }
    return std::optional<FoundKeySheet>();
}
