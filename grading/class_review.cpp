#include "grading/class_review.h"

#include "framework/format.h"

namespace {

void Replace(std::string& text, const std::string& what, const std::string& with)
{
    if (what.empty())
        return;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

// A question's reading as the review writes it, "W" or "C b" (the score, then the letters
// marked), in words.
std::string Score(const std::string& reading)
{
    std::string text = reading.starts_with('C') ? "ถูก" : reading.starts_with('W') ? "ผิด" : "ระบายเกิน";
    if (const size_t space = reading.find(' '); space != std::string::npos) {
        const std::string letters = reading.substr(space + 1);
        text += " ระบาย " + (letters == "-" ? std::string("ไม่มี") : letters);
    }
    return text;
}

std::string Digit(const std::string& reading)
{
    if (reading == "none")
        return "ไม่ได้ระบาย";
    if (reading == "several")
        return "ระบายหลายช่อง";
    return reading;
}

// The review's item in words: "q12" is question 12, "id:3" the ID's third column.
std::string Doubt(const ReviewItem& item)
{
    if (item.item.starts_with('q'))
        return FormatText("ข้อ %s: ครั้งแรก %s, ครั้งที่สอง %s", item.item.c_str() + 1, Score(item.first).c_str(),
            Score(item.second).c_str());
    if (item.item.starts_with("id:"))
        return FormatText("รหัสหลักที่ %s: ครั้งแรก %s, ครั้งที่สอง %s", item.item.c_str() + 3,
            Digit(item.first).c_str(), Digit(item.second).c_str());
    if (item.item == "tilt") {
        std::string angle = item.first;
        Replace(angle, " deg", " องศา");
        return "กระดาษเอียง " + angle;
    }
    if (item.item == "mark")
        return "เครื่องหมายอ้างอิงไม่ชัด";
    if (item.item == "checked")
        return "แผ่นนี้มีสีของการตรวจครั้งก่อน";
    return "ตรวจสอบ " + item.item;
}

} // namespace

std::string ClassReviewText(const SheetOutcome& outcome, const std::string& shown)
{
    std::string text;
    if (outcome.status == SheetStatus::Refused) {
        std::string why = outcome.refusal;
        const std::string scan = outcome.file.substr(0, outcome.file.rfind('#'));
        Replace(why, outcome.file, shown);
        Replace(why, scan, shown.substr(0, shown.rfind('#')));
        text = "ตรวจไม่ได้: " + why;
    }
    if (outcome.status == SheetStatus::Unreported)
        text = "ตรวจไม่ถึงข้อสุดท้ายของเฉลย";
    for (const ReviewItem& item : outcome.review.items)
        text += (text.empty() ? "ตรวจสอบ: " : "; ") + Doubt(item);
    return text;
}

ClassSheetRow ClassRowWithReview(const SheetOutcome& outcome, const std::string& shown)
{
    ClassSheetRow row = ClassRowOf(outcome);
    row.review = ClassReviewText(outcome, shown);
    return row;
}
