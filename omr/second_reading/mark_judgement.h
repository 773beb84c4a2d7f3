#pragma once

#include <cstdint>
#include <span>

// What one box holds, as the second reading samples it, each figure how much darker
// than the paper (0 to 255): the mean over its middle, the darkest of its middle (a
// pencil line is as dark as a fill, an eraser's residue as light as its mean), the
// mean on a ring just outside the box (a circle drawn round the letter) and the mean
// of the darker half of its middle: an even grey's own level, which the scan's noise
// does not lift as it lifts the few darkest samples.
struct BoxInk {
    int average = 0;
    int peak = 0;
    int ring = 0;
    int level = 0;
};

// Why a row or an ID column is not read with certainty, as a careful teacher would
// hesitate over it. Kept in the class record by number: new kinds go at the end.
enum class MarkDoubt : uint8_t {
    None,
    ErasedResidue, // a box as dark as a mark but as light as an erasure, no clear mark beside it
    RingOnly, // a circle drawn round a letter, its middle left light
    SmallFill, // a box filled far less than the sheet's marks, read where it is alone in its row
    CloseMarks, // a mark and a box nearly as dark that is not one
};
inline constexpr int kMarkDoubtCount = 5;

// The ink of this sheet's marks, from its typical mark: the darkest box of every row and
// ID column that holds any ink. A light or dark scan moves all of them alike.
struct SheetInk {
    int markedInk = 0; // the mean from which on a box counts as filled
    int typicalAverage = 0;
    int typicalPeak = 0;
    int printInk = 0; // the registration marks' black: an erasure is far lighter
};

// The verdict on a row or an ID column: which boxes are marked (bit i for box i) and
// whether a person should look at it.
struct GroupJudgement {
    uint32_t marked = 0;
    MarkDoubt doubt = MarkDoubt::None;
};

// Judges a row's boxes against the sheet's ink and against each other.
GroupJudgement JudgeGroup(std::span<const BoxInk> boxes, const SheetInk& ink);
