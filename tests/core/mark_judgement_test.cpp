#include "omr/second_reading/mark_judgement.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// Figures as the second reading measures them on a normal scan (paper white, print black)
// and on a light one, where every ink is about two thirds as dark.
constexpr SheetInk kNormal { 61, 154, 177, 250 };
constexpr SheetInk kLight { 41, 103, 117, 165 };

constexpr BoxInk kEmpty { 6, 14, 1, 11 };
constexpr BoxInk kFill { 160, 180, 4, 176 };

struct Row {
    const char* name;
    std::array<BoxInk, 5> boxes; // on a normal scan
    const char* marked;
    MarkDoubt doubt;
};

// Each row as a careful teacher reads it.
const Row kRows[] = {
    { "a fill", { { kFill, kEmpty, kEmpty, kEmpty, kEmpty } }, "a", MarkDoubt::None },
    { "a tick", { { kEmpty, { 42, 92, 2, 60 }, kEmpty, kEmpty, kEmpty } }, "b", MarkDoubt::None },
    { "a cross", { { kEmpty, kEmpty, { 57, 93, 2, 75 }, kEmpty, kEmpty } }, "c", MarkDoubt::None },
    { "a faint fill", { { kEmpty, kEmpty, kEmpty, { 99, 126, 2, 121 }, kEmpty } }, "d", MarkDoubt::None },
    { "two fills", { { kFill, kEmpty, { 150, 170, 4, 166 }, kEmpty, kEmpty } }, "ac", MarkDoubt::None },
    { "a changed answer", { { { 75, 84, 3, 81 }, kEmpty, kFill, kEmpty, kEmpty } }, "c", MarkDoubt::None },
    { "the edge of an erasure beside the answer", { { kEmpty, { 45, 66, 2, 58 }, kEmpty, kFill, kEmpty } },
        "d", MarkDoubt::None },
    { "a heavy erasure alone", { { kEmpty, { 86, 96, 3, 95 }, kEmpty, kEmpty, kEmpty } }, "",
        MarkDoubt::ErasedResidue },
    { "a heavy erasure read as a mark", { { kEmpty, { 92, 104, 3, 100 }, kEmpty, kEmpty, kEmpty } }, "b",
        MarkDoubt::ErasedResidue },
    { "a light erasure alone", { { kEmpty, { 66, 76, 2, 72 }, kEmpty, kEmpty, kEmpty } }, "",
        MarkDoubt::None },
    // Noise lifts its darkest samples past a heavy erasure's; its level stays clean.
    { "a clean erasure on a noisy scan", { { kEmpty, { 78, 97, 3, 88 }, kEmpty, kEmpty, kEmpty } }, "",
        MarkDoubt::None },
    { "an erasure nearly as dark as the mark",
        { { { 110, 120, 3, 117 }, kEmpty, { 85, 95, 3, 92 }, kEmpty, kEmpty } }, "a",
        MarkDoubt::ErasedResidue },
    { "a ring round the letter", { { kEmpty, kEmpty, kEmpty, kEmpty, { 8, 40, 84, 25 } } }, "",
        MarkDoubt::RingOnly },
    { "a small dark fill", { { kEmpty, { 45, 170, 1, 90 }, kEmpty, kEmpty, kEmpty } }, "b",
        MarkDoubt::SmallFill },
    { "a small fill beside a mark", { { kFill, { 45, 170, 1, 90 }, kEmpty, kEmpty, kEmpty } }, "a",
        MarkDoubt::CloseMarks },
    { "a blank row", { { kEmpty, kEmpty, kEmpty, kEmpty, kEmpty } }, "", MarkDoubt::None },
};

std::string Letters(uint32_t marked)
{
    std::string letters;
    for (int i = 0; i < 5; ++i)
        if (marked & (1u << i))
            letters += static_cast<char>('a' + i);
    return letters;
}

// The same row on a light scan: every ink two thirds as dark.
std::array<BoxInk, 5> Lighter(const std::array<BoxInk, 5>& boxes)
{
    std::array<BoxInk, 5> light = boxes;
    for (BoxInk& box : light)
        box = { box.average * 2 / 3, box.peak * 2 / 3, box.ring * 2 / 3, box.level * 2 / 3 };
    return light;
}

class MarkJudgementTest : public testing::TestWithParam<Row> { };

TEST_P(MarkJudgementTest, ReadsTheRowAsATeacherDoesAtEveryTone)
{
    const Row& row = GetParam();
    for (const auto& [tone, ink, boxes] :
        { std::tuple { "normal", kNormal, row.boxes }, std::tuple { "light", kLight, Lighter(row.boxes) } }) {
        const GroupJudgement judged = JudgeGroup(boxes, ink);
        EXPECT_EQ(Letters(judged.marked), row.marked) << tone;
        EXPECT_EQ(static_cast<int>(judged.doubt), static_cast<int>(row.doubt)) << tone;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MarkJudgementTest, testing::ValuesIn(kRows), [](const testing::TestParamInfo<Row>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

} // namespace
