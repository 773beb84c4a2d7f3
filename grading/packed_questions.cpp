#include "grading/packed_questions.h"

#include <array>
#include <optional>

namespace {

// The first byte; a later layout takes another and older builds read its rows.
constexpr char kLayout = 1;
constexpr int64_t kLongestLetters = 16; // a row has five letters; room for marks of later builds

void PutNumber(std::string& out, int64_t value)
{
    // Zigzag, so a small negative figure takes one byte too.
    uint64_t bits = (static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63);
    while (bits >= 0x80) {
        out += static_cast<char>((bits & 0x7f) | 0x80);
        bits >>= 7;
    }
    out += static_cast<char>(bits);
}

void PutText(std::string& out, const std::string& text)
{
    PutNumber(out, static_cast<int64_t>(text.size()));
    out += text;
}

class PackedReader {
public:
    explicit PackedReader(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    std::optional<int64_t> Number()
    {
        uint64_t bits = 0;
        for (int shift = 0; shift < 64 && m_at < m_bytes.size(); shift += 7) {
            const auto byte = static_cast<uint8_t>(m_bytes[m_at++]);
            bits |= static_cast<uint64_t>(byte & 0x7f) << shift;
            if (byte < 0x80)
                return static_cast<int64_t>(bits >> 1) ^ -static_cast<int64_t>(bits & 1);
        }
        return std::nullopt;
    }

    std::optional<int> Small(int64_t low, int64_t high)
    {
        const std::optional<int64_t> number = Number();
        if (!number || *number < low || *number > high)
            return std::nullopt;
        return static_cast<int>(*number);
    }

    std::optional<std::string> Text()
    {
        const std::optional<int> size = Small(0, kLongestLetters);
        if (!size || m_bytes.size() - m_at < static_cast<size_t>(*size))
            return std::nullopt;
        std::string text(m_bytes.substr(m_at, static_cast<size_t>(*size)));
        m_at += static_cast<size_t>(*size);
        return text;
    }

    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    std::string_view m_bytes;
    size_t m_at = 0;
};

} // namespace

std::string PackQuestions(const GradedSheet& sheet)
{
    std::string out(1, kLayout);
    out.reserve(2048);
    for (size_t q = 0; q < kQuestionCount; ++q) {
        const QuestionMeasure& measure = sheet.measures.questions[q];
        for (size_t letter = 0; letter < kLettersPerRow; ++letter) {
            PutNumber(out, measure.boxBlack[letter]);
            PutNumber(out, sheet.second.answerInk[q][letter]);
        }
        PutNumber(out, measure.rowRejected);
        PutNumber(out, measure.rowMargin);
        PutNumber(out, static_cast<int64_t>(sheet.second.answerDoubt[q]));
        PutText(out, sheet.first.letters[q]);
        PutText(out, sheet.second.marked[q]);
    }
    return out;
}

bool UnpackQuestions(std::string_view packed, GradedSheet& sheet)
{
    if (packed.empty() || packed.front() != kLayout)
        return false;
    struct Row {
        std::array<int, kLettersPerRow> black, ink;
        int rejected, margin, doubt;
        std::string first, second;
    };
    std::array<Row, kQuestionCount> rows;
    PackedReader in(packed.substr(1));
    constexpr int64_t kAny = 1 << 30;
    for (Row& row : rows) {
        for (size_t letter = 0; letter < kLettersPerRow; ++letter) {
            const std::optional<int> black = in.Small(0, kAny);
            const std::optional<int> ink = in.Small(-kAny, kAny);
            if (!black || !ink)
                return false;
            row.black[letter] = *black;
            row.ink[letter] = *ink;
        }
        const std::optional<int> rejected = in.Small(0, 1);
        const std::optional<int> margin = in.Small(-kAny, kAny);
        const std::optional<int> doubt = in.Small(0, kAny);
        std::optional<std::string> first = in.Text();
        std::optional<std::string> second = in.Text();
        if (!rejected || !margin || !doubt || !first || !second)
            return false;
        row = { row.black, row.ink, *rejected, *margin, *doubt, std::move(*first), std::move(*second) };
    }
    if (!in.AtEnd())
        return false;
    for (size_t q = 0; q < kQuestionCount; ++q) {
        Row& row = rows[q];
        QuestionMeasure& measure = sheet.measures.questions[q];
        measure.boxBlack = row.black;
        measure.rowRejected = row.rejected != 0;
        measure.rowMargin = row.margin;
        sheet.second.answerInk[q] = row.ink;
        // A doubt this build does not know is no doubt, as in the rows.
        sheet.second.answerDoubt[q]
            = row.doubt < kMarkDoubtCount ? static_cast<MarkDoubt>(row.doubt) : MarkDoubt::None;
        sheet.first.letters[q] = std::move(row.first);
        sheet.second.marked[q] = std::move(row.second);
    }
    return true;
}
