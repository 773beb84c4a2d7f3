#include "results/review_texts.h"

#include "framework/teacher_text.h"

namespace {

std::string Number(double value, int decimals = 0)
{
    return FixedDecimals(value, decimals);
}

} // namespace

std::string ReviewPlaceText(const std::string& item)
{
    if (item.rfind("id:", 0) == 0)
        return FillIn(TeacherText("ReviewTexts", "รหัสหลักที่ %1"), { item.substr(3) });
    if (item.size() > 1 && item[0] == 'q')
        return FillIn(TeacherText("ReviewTexts", "ข้อ %1"), { item.substr(1) });
    if (item == "tilt")
        return TeacherText("ReviewTexts", "ความเอียงของแผ่น");
    if (item == "mark")
        return TeacherText("ReviewTexts", "เครื่องหมายอ้างอิง");
    if (item == "checked")
        return TeacherText("ReviewTexts", "แผ่นที่ตรวจแล้ว");
    return item;
}

std::string ReviewReadingText(const std::string& reading)
{
    // A question's reading: its score letter, then the letters the second reading found.
    static const std::pair<char, const char*> kScores[] = { { 'C', TEACHER_TEXT_NOOP("ReviewTexts", "ถูก") },
        { 'W', TEACHER_TEXT_NOOP("ReviewTexts", "ผิด") }, { 'E', TEACHER_TEXT_NOOP("ReviewTexts", "ผิดรูป") } };
    for (const auto& [letter, words] : kScores)
        if (!reading.empty() && reading[0] == letter && (reading.size() == 1 || reading[1] == ' ')) {
            const std::string letters = reading.size() > 2 ? reading.substr(2) : std::string();
            if (letters.empty())
                return TeacherText("ReviewTexts", words);
            return FillIn(TeacherText("ReviewTexts", "%1 (%2)"),
                { TeacherText("ReviewTexts", words),
                    letters == "-" ? TeacherText("ReviewTexts", "ไม่ได้ระบาย") : letters });
        }
    if (reading == "none")
        return TeacherText("ReviewTexts", "ไม่มี");
    if (reading == "several")
        return TeacherText("ReviewTexts", "หลายช่อง");
    const std::string degrees = " deg";
    if (reading.size() > degrees.size()
        && reading.compare(reading.size() - degrees.size(), degrees.size(), degrees) == 0)
        return FillIn(
            TeacherText("ReviewTexts", "%1 องศา"), { reading.substr(0, reading.size() - degrees.size()) });
    return reading;
}

std::string ReviewReasonText(ReviewReason why, const std::array<double, 2>& figures)
{
    switch (why) {
    case ReviewReason::LightMark:
        return FillIn(TeacherText("ReviewTexts", "รอยระบายจาง: ช่องเฉลยมีจุดสีดำ %1 จุด"), { Number(figures[0]) });
    case ReviewReason::TwoBoxes:
        return TeacherText("ReviewTexts", "ระบายสองช่อง แต่ไม่ถูกนับเป็นข้อผิดรูป");
    case ReviewReason::NearRejection:
        return FillIn(
            TeacherText("ReviewTexts", "เกือบถูกนับเป็นข้อผิดรูป (ห่างอีก %1 คอลัมน์)"), { Number(figures[0]) });
    case ReviewReason::NoIdMark:
        return TeacherText("ReviewTexts", "ไม่มีรอยระบายในหลักนี้");
    case ReviewReason::TwoIdMarks:
        return FillIn(
            TeacherText("ReviewTexts", "ระบายสองช่อง: %1 และ %2"), { Number(figures[0]), Number(figures[1]) });
    case ReviewReason::DarkestElsewhere:
        return FillIn(TeacherText("ReviewTexts", "อ่านได้ %1 แต่ช่องที่เข้มที่สุดคือ %2"),
            { Number(figures[0]), Number(figures[1]) });
    case ReviewReason::ReadingsDiffer:
        return TeacherText("ReviewTexts", "การอ่านสองครั้งได้ผลไม่ตรงกัน");
    case ReviewReason::Turned:
        return FillIn(TeacherText("ReviewTexts", "กระดาษเอียง: เครื่องหมายคลาดจากช่องที่อ่านครั้งแรก %1 จุดภาพ"),
            { Number(figures[0], 1) });
    case ReviewReason::NoSecondMark:
        return TeacherText("ReviewTexts", "การอ่านครั้งที่สองไม่พบเครื่องหมายอ้างอิง");
    case ReviewReason::NotSolidMark:
        return TeacherText("ReviewTexts", "จุดอ้างอิงไม่ใช่มุมของเครื่องหมายสีดำทึบ");
    case ReviewReason::CheckedBefore:
        return TeacherText("ReviewTexts", "แผ่นนี้มีสีของการตรวจครั้งก่อนอยู่แล้ว");
    case ReviewReason::ErasedResidue:
        return TeacherText("ReviewTexts", "รอยลบไม่สะอาด");
    case ReviewReason::RingOnly:
        return TeacherText("ReviewTexts", "วงรอบตัวอักษร ไม่ได้ระบายช่อง");
    case ReviewReason::SmallFill:
        return TeacherText("ReviewTexts", "ระบายไม่เต็มช่อง");
    case ReviewReason::CloseMarks:
        return TeacherText("ReviewTexts", "มีช่องที่เข้มเกือบเท่ารอยระบาย");
    }
    return TeacherText("ReviewTexts", "การอ่านสองครั้งได้ผลไม่ตรงกัน");
}

std::string ReviewListText(const SheetReview& review)
{
    std::string places;
    for (const ReviewItem& item : review.items)
        places += (places.empty() ? "" : ", ") + ReviewPlaceText(item.item);
    return places;
}

std::string ReviewItemText(const ReviewItem& item)
{
    std::string doubt = ReviewPlaceText(item.item) + ": " + ReviewReasonText(item.why, item.figures);
    // A question or an ID column: what each reading made of it, for the teacher to judge.
    if (item.item.starts_with('q') || item.item.starts_with("id:"))
        doubt += FillIn(TeacherText("ReviewTexts", " (ครั้งแรก %1, ครั้งที่สอง %2)"),
            { ReviewReadingText(item.first), ReviewReadingText(item.second) });
    return doubt;
}

std::string ReviewDetailText(const SheetReview& review)
{
    std::string doubts;
    for (const ReviewItem& item : review.items)
        doubts += (doubts.empty() ? "" : "; ") + ReviewItemText(item);
    if (!doubts.empty() && review.UntoldTurn() != 0)
        doubts += "; "
            + FillIn(TeacherText("ReviewTexts", "กระดาษเอียง %1 องศา"), { Number(review.UntoldTurn(), 2) });
    // The first reading reads the printed sheet's own size: a shrunk one is said always.
    if (review.ShrunkToPercent() != 0)
        doubts += (doubts.empty() ? "" : "; ")
            + FillIn(TeacherText("ReviewTexts", "พิมพ์ย่อเหลือ %1 % ของขนาดจริง"),
                { Number(review.ShrunkToPercent()) });
    return doubts.empty() ? std::string() : FillIn(TeacherText("ReviewTexts", "ควรตรวจสอบ %1"), { doubts });
}

std::string RefusedText(const std::string& refusal)
{
    return FillIn(TeacherText("ReviewTexts", "ตรวจไม่ได้: %1"), { refusal });
}

std::string UnreportedText()
{
    return TeacherText("ReviewTexts", "ไม่ได้บันทึกผล: การตรวจไปไม่ถึงข้อสุดท้ายของเฉลย");
}

std::string CheckKeyText()
{
    return TeacherText("ReviewTexts", "ตรวจเฉลย");
}

std::string SettledHowText(const std::string& how)
{
    if (how == "second")
        return TeacherText("ReviewTexts", "ใช้การอ่านครั้งที่สอง");
    if (how == "typed")
        return TeacherText("ReviewTexts", "ครูระบุ");
    if (how == "first")
        return TeacherText("ReviewTexts", "ใช้การอ่านครั้งแรก");
    if (how == "policy")
        return TeacherText("ReviewTexts", "ใช้การอ่านครั้งที่สองทั้งห้อง");
    return how;
}
