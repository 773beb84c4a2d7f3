#include "grading/key_sheet.h"

#include "framework/format.h"
#include "grading/sheet_grader.h"

Result<AnswerList> ReadKeySheet(const std::string& path)
{
    SheetJob job;
    job.page = { path, 0, 1, {}, 0 };
    job.readMarkedLetters = true;
    // The letters of a row are read where a key has a question: one in every row.
    AnswerKey everyRow;
    everyRow.answers.fill("a");
    everyRow.count = kQuestionCount;
    const GradedSheet sheet = ReadSheetFile(job, everyRow);
    const std::string named = FormatText("กระดาษเฉลย %s", path.c_str());
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
