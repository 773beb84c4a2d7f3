#include "grading/loaded_sheet.h"

#include "framework/message_box.h"
#include "omr/engine_state.h"
#include "omr/page_size_box.h"
#include "omr/reviewed_check.h"

#include <algorithm>

namespace {

// What the engine would show in message boxes, as the sheet's lines.
class SheetMessages : public MessageBoxService {
public:
    explicit SheetMessages(std::vector<std::string>& lines)
        : m_lines(lines)
    {
    }
    void Show(const std::string& text) override { m_lines.push_back(text); }

private:
    std::vector<std::string>& m_lines;
};

// The official reading accepts any page its mark rule finds dark corners on: an all
// black, grey or blank page, a photo. Without the solid marks the second reading
// looks for, the page is no answer sheet and its counts are nobody's.
const char* const kNoAnswerSheet = "หน้านี้ไม่ใช่กระดาษคำตอบ: ไม่พบเครื่องหมายอ้างอิง";

void RefuseAsNoSheet(GradedSheet& sheet)
{
    GradedSheet refused;
    refused.page = std::move(sheet.page);
    refused.file = std::move(sheet.file);
    refused.messages = std::move(sheet.messages);
    refused.refusal = kNoAnswerSheet;
    sheet = std::move(refused);
}

// Said beside the reading of a page laid upside down on the glass.
const char* const kTurnedNote = "หน้านี้สแกนกลับหัว: อ่านหลังหมุนกลับครึ่งรอบ";

} // namespace

std::optional<GradingGrid> GradeLoadedSheet(SheetImage& image, const AnswerKey& key, bool turned,
    const DecodeWarnings& warnings, bool readMarkedLetters, GradedSheet& sheet)
{
    SheetMessages recorder(sheet.messages);
    PageSizeBox messages(&recorder, image);
    EngineState engine({ &messages, nullptr, nullptr });
    if (turned)
        sheet.messages.push_back(kTurnedNote);
    // What the decoder said of a sheet it still read goes on the sheet's lines.
    sheet.messages.insert(sheet.messages.end(), warnings.begin(), warnings.end());
    SheetReading reviewed = CheckAndReviewSheet(image, engine, key, [] {});
    const CheckedSheet& checked = reviewed.checked;
    sheet.first = std::move(reviewed.first);
    if (checked.check != SheetCheck::Accepted) {
        sheet.refusal = OneLine(messages.Refusal(checked.check));
        return std::nullopt;
    }
    if (!reviewed.review.secondRead) {
        RefuseAsNoSheet(sheet);
        return std::nullopt;
    }
    sheet.status = sheet.first.counts.reported ? SheetStatus::Reported : SheetStatus::Unreported;
    sheet.review = std::move(reviewed.review);
    sheet.measured = true;
    sheet.measures = std::move(reviewed.measures);
    sheet.second = std::move(reviewed.second);
    // Marks stay black under the overlay, so the graded sheet reads as the scan did.
    if (readMarkedLetters)
        sheet.first.letters = ReadMarkedLetters(image, checked.rows);
    sheet.finalReading = ReadFinally(ReadingsOf(sheet), key.answers, {});
    return GradingGrid { LayIdBands(engine.g_skew), checked.rows };
}

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}
