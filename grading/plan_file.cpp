#include "grading/plan_file.h"

#include "framework/csv_records.h"
#include "framework/format.h"
#include "framework/input_file.h"
#include "omr/sheet_review.h"

#include <algorithm>
#include <optional>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr Hundredths kMostPoints = 100000; // 1000 points: more is a typing slip

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// A decimal with at most two places, in hundredths: "2", "1.5", "0.25" (with Excel's ';'
// the decimal point may be a comma). Nothing when it is not one.
std::optional<Hundredths> Amount(const std::string& text, bool commaPoint)
{
    Hundredths whole = 0, cents = 0;
    int wholeDigits = 0, places = -1; // -1: no point yet
    for (const char c : text) {
        if ((c == '.' || (commaPoint && c == ',')) && places < 0)
            places = 0;
        else if (c >= '0' && c <= '9' && places < 0 && wholeDigits < 9)
            whole = whole * 10 + (c - '0'), ++wholeDigits;
        else if (c >= '0' && c <= '9' && places >= 0 && places < 2)
            cents += (c - '0') * (places++ == 0 ? 10 : 1);
        else
            return std::nullopt;
    }
    if (wholeDigits == 0 && places <= 0)
        return std::nullopt;
    return whole * 100 + cents;
}

std::optional<int> QuestionNumber(const std::string& text)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int number = std::stoi(text);
    return number >= 1 && number <= kQuestionCount ? std::optional<int>(number) : std::nullopt;
}

// The letters a-e in order, from "bd", "B/D", "b d" or "b+d"; nothing when another letter is there.
std::optional<std::string> AcceptedLetters(const std::string& text)
{
    const std::string lower = Lower(text);
    if (lower.find_first_not_of("abcde /+") != std::string::npos)
        return std::nullopt;
    std::string letters;
    for (char letter = 'a'; letter <= 'e'; ++letter)
        if (lower.find(letter) != std::string::npos)
            letters += letter;
    return letters;
}

std::optional<bool> Dropped(const std::string& text)
{
    const std::string word = Lower(text);
    for (const char* yes : { "yes", "y", "x", "1", "true", "dropped", "ตัด", "ตัดข้อ", "ยกเลิก" })
        if (word == yes)
            return true;
    for (const char* no : { "", "no", "n", "0", "false" })
        if (word == no)
            return false;
    return std::nullopt;
}

// Reads the records of one plan into a plan, line by line.
class PlanReader {
public:
    PlanReader(const std::string& path, const AnswerList& key, bool commaPoint)
        : m_named("แผนการให้คะแนน " + path)
        , m_key(key)
        , m_commaPoint(commaPoint)
    {
    }

    Status Read(const CsvRecord& record)
    {
        std::vector<std::string> fields;
        for (const std::string& field : record.fields)
            fields.push_back(Trimmed(field));
        while (fields.size() > 1 && fields.back().empty()) // a spreadsheet pads its rows
            fields.pop_back();
        m_line = record.line;
        const std::string first = Lower(fields[0]);
        if (first.empty() || first.front() == '#' || first == "question" || first == "ข้อ")
            return {};
        if (first == "wrong_penalty")
            return Penalty(fields);
        if (first == "grade")
            return Band(fields);
        return Questions(fields);
    }

    Result<ScoringPlan> Finish()
    {
        if (m_bands.empty())
            return m_plan;
        std::stable_sort(m_bands.begin(), m_bands.end(),
            [](const auto& a, const auto& b) { return a.first.minPercent > b.first.minPercent; });
        for (size_t b = 1; b < m_bands.size(); ++b) {
            const auto& [higher, higherLine] = m_bands[b - 1];
            const auto& [lower, lowerLine] = m_bands[b];
            if (lower.minPercent == higher.minPercent || lower.grade >= higher.grade)
                return Fail(lowerLine,
                    FormatText("เกรด %s ที่ร้อยละ %s ซ้อนกับเกรด %s ที่ร้อยละ %s ในบรรทัดที่ %d "
                               "(เกรดที่สูงกว่าต้องใช้ร้อยละที่สูงกว่า)",
                        HundredthsText(lower.grade).c_str(), HundredthsText(lower.minPercent).c_str(),
                        HundredthsText(higher.grade).c_str(), HundredthsText(higher.minPercent).c_str(),
                        higherLine));
        }
        if (m_bands.back().first.minPercent != 0)
            return Status::Failure(m_named + ": ไม่มีเกรดของผู้ที่ได้ร้อยละ 0 (เพิ่มบรรทัด grade,0,0)");
        m_plan.bands.clear();
        for (const auto& band : m_bands)
            m_plan.bands.push_back(band.first);
        return m_plan;
    }

private:
    Status Fail(int line, const std::string& what) const
    {
        return Status::Failure(FormatText("%s บรรทัดที่ %d: %s", m_named.c_str(), line, what.c_str()));
    }
    Status Fail(const std::string& what) const { return Fail(m_line, what); }

    Status TooMany(const std::vector<std::string>& fields, size_t most) const
    {
        return fields.size() > most
            ? Fail(FormatText("มีช่องเกินมา \"%s\" (บรรทัดนี้มีได้ %zu ช่อง)", fields[most].c_str(), most))
            : Status();
    }

    Status Penalty(const std::vector<std::string>& fields)
    {
        if (m_penaltyLine != 0)
            return Fail(FormatText("wrong_penalty มีแล้วในบรรทัดที่ %d", m_penaltyLine));
        const std::optional<Hundredths> penalty = Amount(fields.size() > 1 ? fields[1] : "", m_commaPoint);
        if (!penalty || *penalty > kMostPoints)
            return Fail(FormatText(
                "คะแนนที่หักต่อข้อผิด \"%s\" ไม่ใช่ตัวเลข (เช่น 0.25)", fields.size() > 1 ? fields[1].c_str() : ""));
        m_penaltyLine = m_line;
        m_plan.wrongPenalty = *penalty;
        return TooMany(fields, 2);
    }

    Status Band(const std::vector<std::string>& fields)
    {
        const std::string grade = fields.size() > 1 ? fields[1] : "";
        const std::string percent = fields.size() > 2 ? fields[2] : "";
        const std::optional<Hundredths> value = Amount(grade, m_commaPoint);
        if (!value || *value > 10000)
            return Fail(FormatText("เกรด \"%s\" ไม่ใช่ตัวเลข (เช่น grade,3.5,75)", grade.c_str()));
        const std::optional<Hundredths> least = Amount(percent, m_commaPoint);
        if (!least || *least > 10000)
            return Fail(
                FormatText("ร้อยละ \"%s\" ของเกรด %s ไม่ใช่ตัวเลข 0 ถึง 100", percent.c_str(), grade.c_str()));
        m_bands.push_back({ { *value, *least }, m_line });
        return TooMany(fields, 3);
    }

    Status Questions(const std::vector<std::string>& fields)
    {
        const size_t dash = fields[0].find('-');
        const std::optional<int> from = QuestionNumber(Trimmed(fields[0].substr(0, dash)));
        const std::optional<int> to
            = dash == std::string::npos ? from : QuestionNumber(Trimmed(fields[0].substr(dash + 1)));
        if (!from || !to || *to < *from)
            return Fail(FormatText("\"%s\" ไม่ใช่เลขข้อ 1 ถึง 100 หรือช่วงของข้อ (เช่น 11-20) "
                                   "และไม่ใช่ wrong_penalty หรือ grade",
                fields[0].c_str()));
        PlannedQuestion planned;
        const auto field = [&fields](size_t i) { return i < fields.size() ? fields[i] : std::string(); };
        const std::optional<std::string> letters = AcceptedLetters(field(1));
        if (!letters)
            return Fail(FormatText("คำตอบที่ยอมรับ \"%s\" ต้องเป็นตัวอักษร a ถึง e", field(1).c_str()));
        planned.letters = *letters;
        if (!field(2).empty()) {
            const std::optional<Hundredths> points = Amount(field(2), m_commaPoint);
            if (!points || *points > kMostPoints)
                return Fail(FormatText("คะแนน \"%s\" ไม่ใช่ตัวเลข (เช่น 1 หรือ 1.5)", field(2).c_str()));
            planned.points = *points;
        }
        if (!field(3).empty()) {
            const auto known = std::find(m_plan.sections.begin(), m_plan.sections.end(), field(3));
            planned.section = static_cast<int>(known - m_plan.sections.begin());
            if (known == m_plan.sections.end())
                m_plan.sections.push_back(field(3));
        }
        const std::optional<bool> dropped = Dropped(field(4));
        if (!dropped)
            return Fail(FormatText("ช่องตัดข้อ \"%s\" ต้องว่างไว้ หรือเป็น yes หรือ ตัด", field(4).c_str()));
        planned.dropped = *dropped;
        for (int q = *from; q <= *to; ++q) {
            const size_t row = static_cast<size_t>(q - 1);
            if (KeyLetterOf(m_key[row]) < 0)
                return Fail(FormatText("ข้อ %d ไม่มีในเฉลย (เฉลยไม่ได้ตรวจข้อนี้)", q));
            if (m_questionLines[row] != 0)
                return Fail(FormatText("ข้อ %d มีแล้วในบรรทัดที่ %d", q, m_questionLines[row]));
            m_questionLines[row] = m_line;
            m_plan.questions[row] = planned;
        }
        return TooMany(fields, 5);
    }

    std::string m_named;
    const AnswerList& m_key;
    bool m_commaPoint;
    ScoringPlan m_plan;
    int m_line = 0;
    int m_penaltyLine = 0;
    std::array<int, kQuestionCount> m_questionLines {};
    std::vector<std::pair<GradeBand, int>> m_bands; // with their lines
};

} // namespace

Result<ScoringPlan> ParsePlan(std::string_view text, const std::string& path, const AnswerList& key)
{
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    if (!IsUtf8(text))
        return Status::Failure(
            FormatText("แผนการให้คะแนน %s ไม่ใช่ข้อความ UTF-8: โปรดบันทึกเป็น \"CSV UTF-8\"", path.c_str()));
    const char separator = CsvSeparatorOf(text);
    const Result<std::vector<CsvRecord>> records = SplitCsvRecords(text, separator, "แผนการให้คะแนน " + path);
    if (!records)
        return records.status();
    PlanReader reader(path, key, separator == ';');
    for (const CsvRecord& record : *records)
        if (const Status read = reader.Read(record); !read)
            return read;
    return reader.Finish();
}

Result<PlanFile> ReadPlanFile(const std::string& path, const AnswerList& key)
{
    Result<std::string> text = ReadInputFile(path, "the scoring plan", kMaxPlanFileBytes);
    if (!text)
        return text.status();
    if (text->size() > kMaxPlanFileBytes)
        return Status::Failure(FormatText(
            "แผนการให้คะแนน %s ยาวเกิน %zu KiB: ไม่ใช่แผนการให้คะแนน", path.c_str(), kMaxPlanFileBytes / 1024));
    Result<ScoringPlan> plan = ParsePlan(*text, path, key);
    if (!plan)
        return plan.status();
    return PlanFile { path, std::move(text).value(), std::move(plan).value() };
}
