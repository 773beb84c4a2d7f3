#include "omr/second_reading/second_reading.h"

#include "omr/mark_windows.h"
#include "omr/second_reading/darkest_samples.h"
#include "omr/second_reading/grey_page.h"
#include "omr/second_reading/registration_blob.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace {

// Below this ink nothing is a mark, however faint the sheet's pencil.
constexpr int kLeastMarkInk = 28;
// A box is filled when it holds this share of the ink of the sheet's typical mark.
constexpr double kMarkShare = 0.4;
// Samples taken across a box each way, this many pixels apart: a pencil mark is
// 10 to 12 pixels, and every other pixel of its middle tells its ink.
constexpr int kSamplesAcross = 5;
constexpr double kSampleStep = 2;
// The darker half of those samples: all of them lie on a fill of most of the bubble.
constexpr int kDarkerHalf = kSamplesAcross * kSamplesAcross / 2;

// Eight points on an oval round the printed bubble (10 by 12 pixels), where a ring
// drawn round its letter lies, short of the next box 19.5 across and 19.3 down. A ring
// meets them all; a tick's ends, one or two.
constexpr double kRingAcross = 7;
constexpr double kRingDown = 7.5;
constexpr double kDiagonal = 0.7071067812;
constexpr std::array<SheetPoint, 8> kRingOffsets { { { kRingAcross, 0 },
    { kRingAcross * kDiagonal, kRingDown* kDiagonal }, { 0, kRingDown },
    { -kRingAcross * kDiagonal, kRingDown* kDiagonal }, { -kRingAcross, 0 },
    { -kRingAcross * kDiagonal, -kRingDown* kDiagonal }, { 0, -kRingDown },
    { kRingAcross * kDiagonal, -kRingDown* kDiagonal } } };

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

// How much darker than the paper the box around a form point is: on average, at the
// third darkest of its samples (one noisy pixel is not a line), on a ring just outside
// it, and over the darker half of its samples.
BoxInk BoxInkAt(const GreyPage& page, const PageTransform& transform, SheetPoint formCentre, int paper)
{
    constexpr double kHalfSpan = (kSamplesAcross - 1) * kSampleStep / 2;
    // The samples lie on a grid turned with the page: its first point mapped, then
    // steps along the two mapped form axes.
    const SheetPoint first = transform.Map({ formCentre.x - kHalfSpan, formCentre.y - kHalfSpan });
    const SheetPoint across { kSampleStep * transform.Across().x, kSampleStep * transform.Across().y };
    const SheetPoint down { kSampleStep * transform.Down().x, kSampleStep * transform.Down().y };
    BoxSamples samples {};
    int sum = 0;
    const auto sampleGrid = [&](const auto& brightness) {
        for (int j = 0; j < kSamplesAcross; ++j) {
            const SheetPoint rowStart { first.x + j * down.x, first.y + j * down.y };
            for (int i = 0; i < kSamplesAcross; ++i) {
                const int ink
                    = std::max(0, paper - brightness(rowStart.x + i * across.x, rowStart.y + i * across.y));
                samples[static_cast<size_t>(j * kSamplesAcross + i)] = static_cast<uint8_t>(ink);
                sum += ink;
            }
        }
    };
    // The grid's corners bound its points; a pixel more allows for their rounding.
    constexpr int kLast = kSamplesAcross - 1;
    const std::array<SheetPoint, 4> corners { { first,
        { first.x + kLast * across.x, first.y + kLast * across.y },
        { first.x + kLast * down.x, first.y + kLast * down.y },
        { first.x + kLast * (across.x + down.x), first.y + kLast * (across.y + down.y) } } };
    const auto [left, right] = std::minmax({ corners[0].x, corners[1].x, corners[2].x, corners[3].x });
    const auto [top, bottom] = std::minmax({ corners[0].y, corners[1].y, corners[2].y, corners[3].y });
    if (page.Inside(left - 1, top - 1, right + 1, bottom + 1))
        sampleGrid([&page](double x, double y) { return page.NearInside(x, y); });
    else
        sampleGrid([&page](double x, double y) { return page.Near(x, y); });
    const BoxSamples darker = CountDarker(samples);
    int ring = 0;
    for (const SheetPoint& offset : kRingOffsets) {
        const SheetPoint point = transform.Map({ formCentre.x + offset.x, formCentre.y + offset.y });
        ring += std::max(0, paper - page.Near(point.x, point.y));
    }
    return { sum / (kSamplesAcross * kSamplesAcross), DarkestAt(samples, darker, 2),
        ring / static_cast<int>(kRingOffsets.size()),
        SumOfDarkest(samples, darker, static_cast<size_t>(kDarkerHalf)) / kDarkerHalf };
}

// The ink of the sheet's typical mark: the median, over every group (row or ID column)
// that holds any ink at all, of its darkest box's mean and of that box's darkest samples.
SheetInk TypicalInk(const std::vector<std::span<const BoxInk>>& groups)
{
    std::vector<int> averages;
    std::vector<int> peaks;
    for (const std::span<const BoxInk> group : groups) {
        const BoxInk& darkest = *std::max_element(group.begin(), group.end(),
            [](const BoxInk& a, const BoxInk& b) { return a.average < b.average; });
        if (darkest.average >= kLeastMarkInk) {
            averages.push_back(darkest.average);
            peaks.push_back(darkest.peak);
        }
    }
    const auto median = [](std::vector<int>& values) {
        if (values.empty())
            return 0;
        std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
        return values[values.size() / 2];
    };
    SheetInk ink;
    ink.typicalAverage = median(averages);
    ink.typicalPeak = median(peaks);
    ink.markedInk = std::max(kLeastMarkInk, static_cast<int>(kMarkShare * ink.typicalAverage));
    return ink;
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
    std::array<std::array<BoxInk, kLettersPerRow>, kQuestionCount> answerBoxes {};
    std::array<std::array<BoxInk, 10>, kIdDigitCount> idBoxes {};
    for (size_t q = 0; q < rows.size(); ++q)
        for (int letter = 0; letter < kLettersPerRow; ++letter)
            answerBoxes[q][static_cast<size_t>(letter)]
                = BoxInkAt(page, transform, Centre(AnswerBoxArea(LayAnswerBox(rows[q], letter))), paper);
    for (size_t band = 0; band < bands.tops.size(); ++band) {
        const PixelArea area = IdBandArea(bands.tops[band], bands.left);
        for (size_t digit = 0; digit < kIdDigitColumns.size(); ++digit) {
            const PixelArea box { { digitOrigin + kIdDigitColumns[digit].first,
                                      digitOrigin + kIdDigitColumns[digit].last + 1 },
                area.rows };
            idBoxes[band][digit] = BoxInkAt(page, transform, Centre(box), paper);
        }
    }

    std::vector<std::span<const BoxInk>> groups(answerBoxes.begin(), answerBoxes.end());
    groups.insert(groups.end(), idBoxes.begin(), idBoxes.end());
    SheetInk ink = TypicalInk(groups);
    reading.markedInk = ink.markedInk;
    ink.printInk = (left->ink + right->ink) / 2;
    for (size_t q = 0; q < rows.size(); ++q) {
        const GroupJudgement judged = JudgeGroup(answerBoxes[q], ink);
        for (size_t letter = 0; letter < kLettersPerRow; ++letter) {
            reading.answerInk[q][letter] = answerBoxes[q][letter].average;
            if (judged.marked & (1u << letter))
                reading.marked[q] += static_cast<char>('a' + letter);
        }
        reading.answerDoubt[q] = judged.doubt;
    }
    for (size_t band = 0; band < reading.digits.size(); ++band) {
        const GroupJudgement judged = JudgeGroup(idBoxes[band], ink);
        int digit = kNoDigitMarked;
        for (size_t d = 0; d < idBoxes[band].size(); ++d) {
            reading.idInk[band][d] = idBoxes[band][d].average;
            if (judged.marked & (1u << d))
                digit = digit == kNoDigitMarked ? static_cast<int>(d) : kSeveralDigitsMarked;
        }
        reading.digits[band] = digit;
        reading.idDoubt[band] = judged.doubt;
    }
    return reading;
}
