#include "omr/second_reading/second_reading.h"

#include "omr/mark_windows.h"
#include "omr/second_reading/grey_page.h"
#include "omr/second_reading/registration_blob.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Below this ink nothing is a mark, however faint the sheet's pencil.
constexpr int kLeastMarkInk = 28;
// A box is marked when it holds this share of the ink of the sheet's typical mark.
constexpr double kMarkShare = 0.5;
// Samples taken across a box each way, this many pixels apart: a pencil mark is
// 10 to 12 pixels, and every other pixel of its middle tells its ink.
constexpr int kSamplesAcross = 5;
constexpr double kSampleStep = 2;

// The brightness of bare paper: most of a sheet is paper. Every sixth row and
// third column are enough, and a row's pixels share its cache lines.
int PaperLevel(const GreyPage& page)
{
    const PixelArea whole { { 0, page.Width() }, page.Rows() };
    return BrightnessAtShare(page.CountBrightness(whole, 6, 3), 0.8);
}

// The centre of a pixel area, in pixel indices.
SheetPoint Centre(const PixelArea& area)
{
    return { (area.columns.first + area.columns.end - 1) / 2.0, (area.rows.first + area.rows.end - 1) / 2.0 };
}

// How much darker than the paper the box around a form point is, on average.
int BoxInk(const GreyPage& page, const PageTransform& transform, SheetPoint formCentre, int paper)
{
    constexpr double kHalfSpan = (kSamplesAcross - 1) * kSampleStep / 2;
    // The samples lie on a grid turned with the page: its first point mapped, then
    // steps along the two mapped form axes.
    const SheetPoint first = transform.Map({ formCentre.x - kHalfSpan, formCentre.y - kHalfSpan });
    const SheetPoint across { kSampleStep * transform.Across().x, kSampleStep * transform.Across().y };
    const SheetPoint down { kSampleStep * transform.Down().x, kSampleStep * transform.Down().y };
    int sum = 0;
    for (int j = 0; j < kSamplesAcross; ++j) {
        const SheetPoint rowStart { first.x + j * down.x, first.y + j * down.y };
        for (int i = 0; i < kSamplesAcross; ++i)
            sum += std::max(0, paper - page.Near(rowStart.x + i * across.x, rowStart.y + i * across.y));
    }
    return sum / (kSamplesAcross * kSamplesAcross);
}

// The ink of the sheet's typical mark: the median of the darkest box of every
// group (row or ID column) that holds any ink at all.
int TypicalMarkInk(const SecondReading& reading)
{
    std::vector<int> darkest;
    for (const auto& row : reading.answerInk)
        darkest.push_back(*std::max_element(row.begin(), row.end()));
    for (const auto& column : reading.idInk)
        darkest.push_back(*std::max_element(column.begin(), column.end()));
    std::erase_if(darkest, [](int ink) { return ink < kLeastMarkInk; });
    if (darkest.empty())
        return 0;
    std::nth_element(darkest.begin(), darkest.begin() + static_cast<long>(darkest.size() / 2), darkest.end());
    return darkest[darkest.size() / 2];
}

} // namespace

std::string SecondReading::IdText() const
{
    std::string text;
    for (const int digit : digits)
        text += digit >= 0 ? static_cast<char>('0' + digit) : '?';
    return text;
}

SecondReading ReadSecondly(const GreyPage& page)
{
    SecondReading reading;
    const std::optional<RegistrationBlob> left = FindRegistrationBlob(page, kLeftMarkWindow);
    const std::optional<RegistrationBlob> right = FindRegistrationBlob(page, kRightMarkWindow);
    if (!left || !right || right->centreX <= left->centreX)
        return reading;
    const PageTransform transform(*left, *right);
    reading.read = true;
    reading.degrees = transform.Degrees();
    reading.leftCorner = transform.LeftCorner();
    reading.rightCorner = transform.RightCorner();

    // The form's own grid: the sheet lying straight with its marks where printed.
    const SkewMeasurement form = SkewFromMarkPoints(
        kFormLeftMarkX, kFormLeftMarkY, kFormLeftMarkX + kFormMarkSpacing, kFormLeftMarkY);
    const QuestionRows rows = LayQuestionRows(form);
    const IdBandLayout bands = LayIdBands(form);
    const int digitOrigin = IdDigitOrigin(form);
    const int paper = PaperLevel(page);
    for (size_t q = 0; q < rows.size(); ++q)
        for (int letter = 0; letter < kLettersPerRow; ++letter)
            reading.answerInk[q][static_cast<size_t>(letter)]
                = BoxInk(page, transform, Centre(AnswerBoxArea(LayAnswerBox(rows[q], letter))), paper);
    for (size_t band = 0; band < bands.tops.size(); ++band) {
        const PixelArea area = IdBandArea(bands.tops[band], bands.left);
        for (size_t digit = 0; digit < kIdDigitColumns.size(); ++digit) {
            const PixelArea box { { digitOrigin + kIdDigitColumns[digit].first,
                                      digitOrigin + kIdDigitColumns[digit].last + 1 },
                area.rows };
            reading.idInk[band][digit] = BoxInk(page, transform, Centre(box), paper);
        }
    }

    reading.markedInk = std::max(kLeastMarkInk, static_cast<int>(kMarkShare * TypicalMarkInk(reading)));
    for (size_t q = 0; q < rows.size(); ++q)
        for (int letter = 0; letter < kLettersPerRow; ++letter)
            if (reading.answerInk[q][static_cast<size_t>(letter)] >= reading.markedInk)
                reading.marked[q] += static_cast<char>('a' + letter);
    for (size_t band = 0; band < reading.digits.size(); ++band) {
        int digit = kNoDigitMarked;
        for (size_t d = 0; d < reading.idInk[band].size(); ++d)
            if (reading.idInk[band][d] >= reading.markedInk)
                digit = digit == kNoDigitMarked ? static_cast<int>(d) : kSeveralDigitsMarked;
        reading.digits[band] = digit;
    }
    return reading;
}
