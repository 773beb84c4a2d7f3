#include "omr/second_reading/mark_judgement.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

// Shares of the sheet's typical mark, from classroom scans of every kind of mark
// (fills, ticks, crosses, rings, erased answers) at light, normal and dark tones.
// A pencil line's darkest samples reach this share of a fill's, blurred as scanners blur,
constexpr double kStrokePeakShare = 0.35;
// and lie this much darker than the box's mean: a line crosses the box, residue covers it.
constexpr double kStrokeTexture = 1.35;
// A line covers at least this share of a fill's mean; less is a stray dot.
constexpr double kStrokeAverageShare = 0.14;
constexpr int kLeastStrokeInk = 14;
// An even grey box counts as a mark from this share of the typical mark's darkest samples
// and of the printed black; below either, an eraser may have left it (on a sheet of
// ticks the typical mark is itself light, the print never is).
constexpr double kSolidPeakShare = 0.5;
constexpr double kSolidPrintShare = 0.4;
// Below this it is an erasure beyond doubt when another box of the row holds a mark,
constexpr double kResidueShareBesideMark = 0.75;
// and, alone in its row, when its level is below this share of the printed black (an
// eraser left grey 160 or lighter on white paper). Its darkest samples would not do:
// noise lifts them by up to a twentieth of the black, over the line for a clean erasure.
constexpr double kHeavyResiduePrintShare = 0.37;
// A mark this much lighter than the row's darkest is what an eraser left of a changed
// answer, however its edge lies in the box.
constexpr double kBesideMarkShare = 0.6;
// An even grey mark alone in its row and lighter than this share of the printed black may
// be what an eraser left as well as a light pencil: read, and named.
constexpr double kPaleMarkPrintShare = 0.45;
// A ring round the letter this dark, its middle light.
constexpr double kRingShare = 0.3;
// A core as dark as a fill's over too little of the box to count: a small fill.
constexpr double kSmallFillPeakShare = 0.8;
constexpr double kSmallFillShare = 0.2;
// A box not counted within this share of the row's darkest mark.
constexpr double kCloseShare = 0.8;
// Nothing below this much ink on average is anything but a line.
constexpr int kLeastInk = 28;

enum class BoxKind { Empty, Mark, Residue, Ring, SmallFill };

BoxKind KindOf(const BoxInk& box, const SheetInk& ink)
{
    const bool textured = box.peak >= kStrokeTexture * box.average;
    if (box.average >= ink.markedInk && box.average >= kLeastInk) {
        if (textured
            || box.peak >= std::max(kSolidPeakShare * ink.typicalPeak, kSolidPrintShare * ink.printInk))
            return BoxKind::Mark;
        return BoxKind::Residue;
    }
    if (box.ring >= std::max<double>(kLeastInk, kRingShare * ink.typicalAverage)
        && box.ring >= 2 * box.average)
        return BoxKind::Ring;
    if (box.peak >= kSmallFillPeakShare * ink.typicalPeak
        && box.average >= std::max<double>(kLeastInk, kSmallFillShare * ink.typicalAverage))
        return BoxKind::SmallFill;
    if (textured && box.peak >= kStrokePeakShare * ink.typicalPeak
        && box.average >= std::max<double>(kLeastStrokeInk, kStrokeAverageShare * ink.typicalAverage))
        return BoxKind::Mark; // a tick or a cross
    return BoxKind::Empty;
}

} // namespace

GroupJudgement JudgeGroup(std::span<const BoxInk> boxes, const SheetInk& ink)
{
    GroupJudgement judgement;
    std::array<BoxKind, 10> kinds {}; // an ID column's ten digits at most
    boxes = boxes.first(std::min(boxes.size(), kinds.size()));
    int darkestMark = 0; // the darkest marked box's darkest samples
    for (size_t i = 0; i < boxes.size(); ++i) {
        kinds[i] = KindOf(boxes[i], ink);
        if (kinds[i] == BoxKind::Mark)
            darkestMark = std::max(darkestMark, boxes[i].peak);
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        // Alone in its row a small dark fill (or a tick drawn crisp) is likely the answer: read, and named.
        if ((kinds[i] == BoxKind::Mark && boxes[i].peak >= kBesideMarkShare * darkestMark)
            || (kinds[i] == BoxKind::SmallFill && darkestMark == 0))
            judgement.marked |= 1u << i;
    // A second mark much lighter than the first may be an answer changed; a pale one alone, erased.
    const bool alone = std::popcount(judgement.marked) == 1;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const BoxInk& box = boxes[i];
        const bool even = box.peak < kStrokeTexture * box.average;
        if ((judgement.marked & (1u << i))
            && (box.peak < kResidueShareBesideMark * darkestMark
                || (alone && even && box.peak < kPaleMarkPrintShare * ink.printInk)))
            judgement.doubt = MarkDoubt::ErasedResidue;
    }
    for (size_t i = 0; i < boxes.size() && judgement.doubt == MarkDoubt::None; ++i) {
        const BoxInk& box = boxes[i];
        switch (kinds[i]) {
        case BoxKind::Residue:
            if (darkestMark == 0 ? box.level >= kHeavyResiduePrintShare * ink.printInk
                                 : box.peak > kResidueShareBesideMark * darkestMark)
                judgement.doubt = MarkDoubt::ErasedResidue;
            break;
        case BoxKind::Ring:
            judgement.doubt = MarkDoubt::RingOnly;
            break;
        case BoxKind::SmallFill:
            judgement.doubt = darkestMark > 0 && box.peak >= kCloseShare * darkestMark ? MarkDoubt::CloseMarks
                : darkestMark == 0                                                     ? MarkDoubt::SmallFill
                                                                                       : MarkDoubt::None;
            break;
        case BoxKind::Empty:
        case BoxKind::Mark:
            break;
        }
    }
    return judgement;
}
