#pragma once

#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/score_recorder.h"
#include "omr/sheet_check.h"
#include "omr/sheet_layout.h"
#include "recording_message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "rgb(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

constexpr Rgb kBlack { 0, 0, 0 };
constexpr Rgb kWhite { 255, 255, 255 };
constexpr Rgb kCyan { 0, 255, 255 };
constexpr Rgb kGreen { 0, 255, 0 };
constexpr Rgb kRed { 255, 0, 0 };
constexpr Rgb kOrange { 255, 102, 0 };
// Dark enough to turn black when thresholded, and no colour the engine paints.
constexpr Rgb kDarkGrey { 100, 100, 100 };

inline bool operator==(const SheetScores& a, const SheetScores& b)
{
    return a.correct == b.correct && a.wrong == b.wrong && a.errors == b.errors && a.reported == b.reported;
}

class RecordingScoreRecorder : public ScoreRecorder {
public:
    void RecordId(int32_t examineeId) override { ids.push_back(examineeId); }
    void RecordScores(const SheetScores& sheetScores) override { scores.push_back(sheetScores); }
    std::vector<int32_t> ids;
    std::vector<SheetScores> scores;
};

inline Rgb PixelAt(const SheetImage& image, int x, int y)
{
    const uint8_t* p = image.GetPixelAddress(x, y);
    return { p[2], p[1], p[0] };
}

// Columns x0..x1 and rows y0..y1, both ends included.
inline void Fill(SheetImage& image, int x0, int y0, int x1, int y1, Rgb colour)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            uint8_t* p = image.GetPixelAddress(x, y);
            p[0] = static_cast<uint8_t>(colour.blue);
            p[1] = static_cast<uint8_t>(colour.green);
            p[2] = static_cast<uint8_t>(colour.red);
        }
}

inline void Dot(SheetImage& image, int x, int y, Rgb colour)
{
    Fill(image, x, y, x, y, colour);
}

inline SheetImage WhiteImage(int width, int height, int depth = 24)
{
    SheetImage image;
    EXPECT_TRUE(image.Create(width, height, depth).ok());
    Fill(image, 0, 0, width - 1, height - 1, kWhite);
    return image;
}

// An 11 x 11 registration mark whose last black pixel in column order is (x, y).
inline void DrawMark(SheetImage& image, int x, int y)
{
    Fill(image, x - 10, y - 10, x, y, kBlack);
}

inline AnswerList KeyOf(std::initializer_list<std::pair<int, const char*>> entries)
{
    AnswerList answers;
    for (const auto& [question, letter] : entries)
        answers[static_cast<size_t>(question - 1)] = letter;
    return answers;
}

// A fresh engine state that reports to recording services.
class EngineTest : public ::testing::Test {
protected:
    // An untilted, measured sheet: left point (100, 450), right point (700, 450),
    // large enough for the whole grid.
    SheetImage MeasuredSheet(int width = 800, int height = 1024)
    {
        SheetImage image = WhiteImage(width, height);
        DrawMark(image, 100, 450);
        DrawMark(image, 700, 450);
        EXPECT_EQ(image.MeasureSkew(engine, 0), SheetCheck::Accepted);
        return image;
    }

    // A solid block of width x height black pixels in a question's box, from the
    // box's third column and third row, where the measured skew puts it.
    void MarkBox(SheetImage& image, int question, int letter, int width = 10, int height = 8) const
    {
        const QuestionRows rows = LayQuestionRows(engine.g_skew);
        const PixelArea area = AnswerBoxArea(LayAnswerBox(rows[static_cast<size_t>(question - 1)], letter));
        Fill(image, area.columns.first + 2, area.rows.first + 2, area.columns.first + 1 + width,
            area.rows.first + 1 + height, kBlack);
    }

    RecordingMessageBox messages;
    RecordingScoreRecorder recorder;
    EngineState engine { { &messages, &recorder, nullptr } };
    // The register's own warning goes to the program's message box.
    ScopedMessageBox boundMessages { messages };
};
