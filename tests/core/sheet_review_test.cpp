// The review beside the official reading, on sheets drawn by vantrel-sheet.

#include "answerkey/answer_key_file.h"
#include "grading/csv_report.h"
#include "grading/sheet_grader.h"
#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/grading_grid.h"
#include "omr/mark_windows.h"
#include "omr/reading_band.h"
#include "omr/reviewed_check.h"
#include "omr/sheet_layout.h"

#include "engine_test_support.h"

#include <QProcess>
#include <QTemporaryDir>

#include <fstream>
#include <random>
#include <sstream>

namespace {

bool RunSheetTool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(VANTREL_SHEET_TOOL), arguments);
    return tool.waitForFinished(120000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// Key and marks alike: every row marked once, so every question should be correct.
constexpr char kId[] = "31415926";
AnswerKey DrawnKey()
{
    AnswerKey key;
    for (size_t q = 0; q < kQuestionCount; ++q)
        key.answers[q] = std::string(1, static_cast<char>('a' + (q * 7 + q / 10) % 5));
    key.count = kQuestionCount;
    return key;
}

QString KeyAsAnswers(const AnswerKey& key)
{
    QStringList letters;
    for (const std::string& answer : key.answers)
        letters << QString::fromStdString(answer);
    return letters.join(',');
}

// Around the centre of a digit's ID box, on a sheet lying as printed.
void FillIdBox(SheetImage& image, int column, int digit, int halfWidth, Rgb colour)
{
    const SkewMeasurement form = SkewFromMarkPoints(
        kFormLeftMarkX, kFormLeftMarkY, kFormLeftMarkX + kFormMarkSpacing, kFormLeftMarkY);
    const IdBandLayout bands = LayIdBands(form);
    const PixelArea band = IdBandArea(bands.tops[static_cast<size_t>(column - 1)], bands.left);
    const IdDigitColumns box = kIdDigitColumns[static_cast<size_t>(digit)];
    const int centre = IdDigitOrigin(form) + (box.first + box.last) / 2;
    Fill(image, centre - halfWidth, band.rows.first, centre + halfWidth, band.rows.end - 1, colour);
}

enum class Doctor { None, SecondIdMark, EmptyIdColumn, CheckTwice };

struct DoubtCase {
    const char* name;
    QStringList scan; // vantrel-sheet fill options
    Doctor doctor;
    const char* item; // the item the review must name; nullptr: nothing doubtful
};

// The questions the first reading did not score correct.
class Slips : public QuestionObserver {
public:
    void QuestionScored(int32_t question, QuestionScore score) override
    {
        if (score != QuestionScore::Correct)
            items.push_back("q" + std::to_string(question));
    }
    std::vector<std::string> items;
};

class SheetReviewTest : public ::testing::TestWithParam<DoubtCase> {
protected:
    SheetReading Check(SheetImage& image)
    {
        slips.items.clear();
        EngineState engine { { &messages, &recorder, &slips } };
        return CheckAndReviewSheet(image, engine, m_key, [] {});
    }

    AnswerKey m_key = DrawnKey();
    RecordingMessageBox messages;
    ScopedMessageBox bound { messages };
    RecordingScoreRecorder recorder;
    Slips slips;
};

TEST_P(SheetReviewTest, NamesTheDoubtAndEverySlipAndReadsTheTruth)
{
    const DoubtCase& doubt = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.png"));
    ASSERT_TRUE(RunSheetTool(
        QStringList { "fill", "-o", path, "--id", kId, "--answers", KeyAsAnswers(m_key) } + doubt.scan));
    SheetImage image;
    ASSERT_TRUE(image.LoadFromFile(path.toStdString()).ok());
    std::string id = kId;
    if (doubt.doctor == Doctor::SecondIdMark) {
        FillIdBox(image, 3, 7, 5, { 60, 60, 66 });
        id[2] = '?';
    } else if (doubt.doctor == Doctor::EmptyIdColumn) {
        FillIdBox(image, 5, kId[4] - '0', 8, kWhite);
        id[4] = '?';
    } else if (doubt.doctor == Doctor::CheckTwice) {
        Check(image);
    }

    const SheetReading reviewed = Check(image);
    ASSERT_EQ(reviewed.checked.check, SheetCheck::Accepted);
    const SheetReview& review = reviewed.review;
    const std::string list = ";" + review.List() + ";";
    const auto listed
        = [&list](const std::string& item) { return list.find(";" + item + ";") != std::string::npos; };
    if (doubt.item)
        EXPECT_TRUE(listed(doubt.item)) << review.List();
    else
        EXPECT_EQ(review.List(), "");
    if (doubt.doctor == Doctor::CheckTwice)
        return; // a thresholded sheet: only its colours tell
    for (const std::string& slip : slips.items)
        EXPECT_TRUE(listed(slip)) << slip << " missing from " << review.List();
    if (recorder.ids.back() != std::stoi(kId)) {
        EXPECT_NE(list.find(";id:"), std::string::npos) << review.List();
    }
    EXPECT_EQ(review.secondId, id);
    EXPECT_EQ(review.secondCorrect, kQuestionCount);
}

INSTANTIATE_TEST_SUITE_P(Doubts, SheetReviewTest,
    ::testing::Values(DoubtCase { "clean", {}, Doctor::None, nullptr },
        DoubtCase { "light_mark", { "--pencil", "128", "--blur", "0.8" }, Doctor::None, "q2" },
        // A turn is a doubt only with a reading it may have cost.
        DoubtCase { "real_rotation", { "--rotate", "1.1" }, Doctor::None, nullptr },
        // Read alike by both: the official point slid along a turned mark's edge, and a dark
        // mark widened by the turn came a column from rejecting its row.
        DoubtCase { "point_on_turned_edge", { "--rotate", "-0.2", "--seed", "2" }, Doctor::None, nullptr },
        DoubtCase { "wide_turned_mark", { "--rotate", "0.35", "--pencil", "40" }, Doctor::None, nullptr },
        DoubtCase { "turned_and_faint", { "--rotate", "1.2", "--pencil", "125", "--blur", "1" }, Doctor::None,
            "tilt" },
        DoubtCase { "speck", { "--speck", "--seed", "1" }, Doctor::None, "mark" },
        DoubtCase { "two_id_marks", {}, Doctor::SecondIdMark, "id:3" },
        DoubtCase { "empty_id_column", {}, Doctor::EmptyIdColumn, "id:5" },
        DoubtCase { "checked_twice", {}, Doctor::CheckTwice, "checked" }),
    [](const ::testing::TestParamInfo<DoubtCase>& info) { return std::string(info.param.name); });

// The rules on measures alone: question 1 keyed a, the rest read alike.
struct RuleCase {
    const char* name;
    std::array<int, 2> firstBlack; // question 1's boxes a and b: 70 black pixels count
    int rowMargin;
    const char* secondMarked; // question 1 as the second reading saw it
    double cornerOff; // the second reading's left corner this far below the official point
    double degrees;
    const char* list;
    double turnSaid;
};

class ReviewRuleTest : public ::testing::TestWithParam<RuleCase> { };

TEST_P(ReviewRuleTest, DoubtsWhatTheSecondReadingDoesNotBearOut)
{
    const RuleCase& rule = GetParam();
    ReviewMeasures measures;
    measures.questions[0] = { 0, { rule.firstBlack[0], rule.firstBlack[1], 0, 0, 0 }, false, rule.rowMargin };
    measures.idColumns.fill({ 3, 200, -1, 0 });
    measures.skew = { 121, 455, 721, 461, 0, rule.degrees };
    measures.cornerBlack = { 25, 25 };
    SecondReading second;
    second.read = true;
    second.leftCorner = { 121, 455 + rule.cornerOff };
    second.rightCorner = { 721, 461 };
    second.digits.fill(3);
    second.marked[0] = rule.secondMarked;
    const SheetReview review
        = ReviewSheet(measures, second, { 33333333, { QuestionScore::Wrong } }, AnswerList { "a" });
    EXPECT_EQ(review.List(), rule.list);
    EXPECT_EQ(review.UntoldTurn(), rule.turnSaid);
}

INSTANTIATE_TEST_SUITE_P(Rules, ReviewRuleTest,
    ::testing::Values(RuleCase { "near_rejection_read_alike", { 0, 120 }, 1, "b", 0, 0, "", 0 },
        RuleCase { "near_rejection_read_otherwise", { 0, 120 }, 1, "c", 0, 0, "q1", 0 },
        // A mark the first reading's boxes missed: the second finds it, and scores the row alike.
        RuleCase { "near_rejection_mark_missed", { 0, 0 }, 1, "c", 0, 0, "", 0 },
        RuleCase { "light_key_box_mark_missed", { 50, 0 }, 14, "c", 0, 0, "", 0 },
        RuleCase { "off_corner_read_alike", { 0, 120 }, 14, "b", 4, 0, "", 0 },
        RuleCase { "off_corner_read_otherwise", { 0, 120 }, 14, "a", 4, 0, "q1;mark", 0 },
        RuleCase { "turn_read_alike_is_said", { 0, 120 }, 14, "b", 0, -0.7, "", -0.7 },
        RuleCase { "slight_turn_is_not", { 0, 120 }, 14, "b", 0, 0.3, "", 0 }),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

// A stress batch: the second reading gives every sheet's ID and counts as drawn.
TEST(SecondReadingTest, ReadsStressScansAsDrawn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(
        RunSheetTool({ "batch", "--count", "6", "--out", dir.path(), "--seed", "77", "--preset", "stress" }));
    const Result<AnswerList> answers = ReadAnswerKeyFile(dir.filePath("key.txt").toStdString());
    ASSERT_TRUE(answers);
    AnswerKey key;
    key.answers = *answers;
    key.count = kQuestionCount;
    std::ifstream truth(dir.filePath("truth.csv").toStdString());
    std::string line;
    std::getline(truth, line);
    int sheets = 0;
    while (std::getline(truth, line)) {
        std::istringstream fields(line);
        std::string file, id, correct, wrong, error;
        std::getline(fields, file, ',');
        std::getline(fields, id, ',');
        std::getline(fields, correct, ',');
        std::getline(fields, wrong, ',');
        std::getline(fields, error, ',');
        SheetImage image;
        ASSERT_TRUE(image.LoadFromFile(dir.filePath(QString::fromStdString(file)).toStdString()).ok());
        RecordingMessageBox messages;
        ScopedMessageBox bound { messages };
        EngineState engine { { &messages, nullptr, nullptr } };
        const SheetReview review = CheckAndReviewSheet(image, engine, key, [] {}).review;
        EXPECT_EQ(review.secondId, id) << file;
        EXPECT_EQ(std::to_string(review.secondCorrect) + "/" + std::to_string(review.secondWrong) + "/"
                + std::to_string(review.secondErrors),
            correct + "/" + wrong + "/" + error)
            << file;
        ++sheets;
    }
    EXPECT_EQ(sheets, 6);
}

// Only the reading band is decoded when no annotated sheet is asked for: every
// grid the marks can lay stays in it, and a sheet reads as from its whole scan
// with its marks at the windows' edges, turned, or specked.
TEST(ReadingBandTest, GradesEverySheetAsItsWholeScan)
{
    const PixelSpan band = ReadingBand();
    std::mt19937 random(5);
    const auto within = [&random](const PixelArea& window, bool wantColumn) {
        const PixelSpan span = wantColumn ? window.columns : window.rows;
        return std::uniform_int_distribution(span.first, span.end - 1)(random);
    };
    for (int i = 0; i < 2000; ++i) {
        const SkewMeasurement skew = SkewFromMarkPoints(within(kLeftMarkWindow, true),
            within(kLeftMarkWindow, false), within(kRightMarkWindow, true), within(kRightMarkWindow, false));
        const PixelSpan read = RowsReadOnGrid({ LayIdBands(skew), LayQuestionRows(skew) });
        ASSERT_TRUE(read.first >= band.first && read.end <= band.end) << read.first << "-" << read.end;
    }

    QTemporaryDir dir;
    const AnswerKey key = DrawnKey();
    const std::vector<QStringList> scans { {}, { "--shift", "0,-40", "--tilt", "-3.5" },
        { "--shift", "0,39", "--tilt", "3.5" }, { "--rotate", "1.1", "--pencil", "110", "--blur", "0.9" },
        { "--speck", "--noise", "4", "--quality", "60" } };
    for (size_t i = 0; i < scans.size(); ++i) {
        const QString path = dir.filePath(QStringLiteral("sheet%1.jpg").arg(i));
        ASSERT_TRUE(RunSheetTool(
            QStringList { "fill", "-o", path, "--id", kId, "--answers", KeyAsAnswers(key) } + scans[i]));
        SheetJob job;
        job.page.file = path.toStdString();
        const GradedSheet fromBand = ReadSheetFile(job, key);
        job.annotatedPath = dir.filePath(QStringLiteral("annotated%1.png").arg(i)).toStdString();
        const GradedSheet fromWhole = ReadSheetFile(job, key);
        EXPECT_EQ(fromBand.status, SheetStatus::Reported) << i;
        EXPECT_EQ(CsvRow(fromBand), CsvRow(fromWhole)) << i;
        EXPECT_EQ(fromBand.messages, fromWhole.messages) << i;
    }
}

} // namespace
