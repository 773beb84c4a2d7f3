#include "omr/review_measures.h"

#include "image/sheet_image.h"
#include "omr/black_columns.h"
#include "omr/grading_grid.h"
#include "omr/mark_windows.h"
#include "omr/marked_letters.h"
#include "omr/pixel_rules.h"
#include "omr/row_mark_tracker.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>
#include <utility>

namespace {

// Channels this far apart make a painted colour; the form's pink is 72 apart.
constexpr int kOverlaySpread = 140;

// Black pixels of a box: every area counted here is far narrower than
// kMaxCountedColumns.
int CountBlack(const SheetImage& image, const PixelArea& box)
{
    const ColumnCounts black = CountBlackByColumn(image, ReadablePart(box, image));
    return std::accumulate(black.begin(), black.end(), 0);
}

QuestionMeasure MeasureQuestion(const SheetImage& image, const GridBox& row, const std::string& answer)
{
    QuestionMeasure measure;
    if (!answer.empty() && answer[0] >= 'a' && answer[0] <= 'e')
        measure.keyLetter = answer[0] - 'a';
    // The row check again, on the same black pixels.
    const PixelArea scan = ReadablePart(RowScanArea(row), image);
    const int columns = std::clamp(scan.columns.end - scan.columns.first, 0, kRowStripColumns);
    const int rows = std::max(scan.rows.end - scan.rows.first, 0);
    const ColumnCounts black = CountBlackByColumn(image, scan);
    // The strip holds the boxes; when it also has their rows, its counts give theirs.
    const std::array<PixelArea, kLettersPerRow> boxes = RowBoxes(image, row);
    const bool sameRows
        = boxes.front().rows.first == scan.rows.first && boxes.front().rows.end == scan.rows.end;
    measure.boxBlack
        = sameRows ? SumBoxColumns(black, scan.columns.first, boxes) : CountBoxBlack(image, boxes);
    RowMarkTracker tracker;
    for (size_t c = 0; c < static_cast<size_t>(columns) && !tracker.IsFlagged(); ++c)
        tracker.AddColumn(black[c], rows - black[c]);
    measure.rowRejected = tracker.IsFlagged();
    measure.rowMargin = tracker.ColumnsShortOfRejecting();
    return measure;
}

IdColumnMeasure MeasureIdColumn(const SheetImage& image, const PixelArea& band, int digitOrigin)
{
    IdColumnMeasure measure;
    for (size_t digit = 0; digit < kIdDigitColumns.size(); ++digit) {
        const PixelArea box { { digitOrigin + kIdDigitColumns[digit].first,
                                  digitOrigin + kIdDigitColumns[digit].last + 1 },
            band.rows };
        const int black = CountBlack(image, box);
        if (black == 0)
            continue;
        if (black > measure.winnerBlack) {
            measure.runnerUp = measure.winner;
            measure.runnerUpBlack = measure.winnerBlack;
            measure.winner = static_cast<int>(digit);
            measure.winnerBlack = black;
        } else if (black > measure.runnerUpBlack) {
            measure.runnerUp = static_cast<int>(digit);
            measure.runnerUpBlack = black;
        }
    }
    return measure;
}

// Boxes with this much black hold a mark whose ink is followed.
constexpr int kDriftMarkBlack = 40;

// The offset of the ink around a marked box from the box's centre; nothing for an
// unmarked box.
std::optional<std::pair<double, double>> InkOffset(const SheetImage& image, const PixelArea& box)
{
    const PixelArea around
        = ReadablePart({ { box.columns.first - kDriftReach, box.columns.end + kDriftReach },
                           { box.rows.first - kDriftReach, box.rows.end + kDriftReach } },
            image);
    const int bytesPerPixel = image.GetBitsPerPixel() / 8;
    // Whole sums, added without a branch: a mark's edge makes a pixel's test a coin the
    // processor cannot guess. They are the sums a double would hold, exactly.
    int64_t sumX = 0;
    int64_t sumY = 0;
    int black = 0;
    for (int r = around.rows.first; r < around.rows.end; ++r) {
        const uint8_t* pixel = image.GetPixelAddress(around.columns.first, r);
        int rowBlack = 0;
        for (int c = around.columns.first; c < around.columns.end; ++c, pixel += bytesPerPixel) {
            const int isBlack = IsBlack(pixel) ? 1 : 0;
            sumX += isBlack * c;
            rowBlack += isBlack;
        }
        sumY += static_cast<int64_t>(rowBlack) * r;
        black += rowBlack;
    }
    if (black < kDriftMarkBlack)
        return std::nullopt;
    return std::pair { static_cast<double>(sumX) / black - (box.columns.first + box.columns.end - 1) / 2.0,
        static_cast<double>(sumY) / black - (box.rows.first + box.rows.end - 1) / 2.0 };
}

double MarkDrift(const SheetImage& image, const QuestionRows& rows,
    const std::array<QuestionMeasure, kQuestionCount>& questions)
{
    double largest = 0;
    for (size_t block = 0; block < kAnswerBlocks.size(); ++block) {
        double sumX = 0;
        double sumY = 0;
        int marks = 0;
        for (size_t q = block * kRowsPerBlock; q < (block + 1) * kRowsPerBlock; ++q)
            for (int letter = 0; letter < kLettersPerRow; ++letter) {
                if (questions[q].boxBlack[static_cast<size_t>(letter)] < kDriftMarkBlack)
                    continue;
                if (const auto offset = InkOffset(image, AnswerBoxArea(LayAnswerBox(rows[q], letter)))) {
                    sumX += offset->first;
                    sumY += offset->second;
                    ++marks;
                }
            }
        if (marks >= 2)
            largest = std::max(largest, std::hypot(sumX / marks, sumY / marks));
    }
    return largest;
}

int CornerBlack(const SheetImage& image, float x, float y)
{
    const int right = TruncateToIndex(x);
    const int bottom = TruncateToIndex(y);
    return CountBlack(
        image, { { right - kCornerSide + 1, right + 1 }, { bottom - kCornerSide + 1, bottom + 1 } });
}

} // namespace

int CountOverlayPixels(const SheetImage& scan)
{
    int painted = 0;
    for (const PixelArea& window : { kLeftMarkWindow, kRightMarkWindow }) {
        const PixelArea area = ReadablePart(window, scan);
        const int bytesPerPixel = scan.GetBitsPerPixel() / 8;
        for (int r = area.rows.first; r < area.rows.end; ++r) {
            const uint8_t* pixel = scan.GetPixelAddress(area.columns.first, r);
            for (int c = area.columns.first; c < area.columns.end; ++c, pixel += bytesPerPixel) {
                const int low = std::min(std::min(pixel[0], pixel[1]), pixel[2]);
                const int high = std::max(std::max(pixel[0], pixel[1]), pixel[2]);
                painted += high - low >= kOverlaySpread ? 1 : 0;
            }
        }
    }
    return painted;
}

ReviewMeasures TakeReviewMeasures(
    const SheetImage& graded, const SkewMeasurement& skew, const GradingGrid& grid, const AnswerList& answers)
{
    ReviewMeasures measures;
    for (size_t q = 0; q < grid.rows.size(); ++q)
        measures.questions[q] = MeasureQuestion(graded, grid.rows[q], answers[q]);
    const int origin = IdDigitOrigin(skew);
    for (size_t band = 0; band < measures.idColumns.size(); ++band)
        measures.idColumns[band]
            = MeasureIdColumn(graded, IdBandArea(grid.idBands.tops[band], grid.idBands.left), origin);
    measures.skew = skew;
    measures.markDrift = MarkDrift(graded, grid.rows, measures.questions);
    measures.cornerBlack = { CornerBlack(graded, skew.leftMarkX, skew.leftMarkY),
        CornerBlack(graded, skew.rightMarkX, skew.rightMarkY) };
    return measures;
}
