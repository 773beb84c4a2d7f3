// Drives vantrel-sheet and reads what it drew with the recognition engine.

#include "answerkey/answer_key_file.h"
#include "framework/message_box.h"
#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/mark_windows.h"
#include "omr/pixel_rules.h"
#include "omr/score_recorder.h"
#include "omr/sheet_check.h"
#include "omr/sheet_layout.h"

#include "recording_message_box.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

bool RunSheetTool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(VANTREL_SHEET_TOOL), arguments);
    return tool.waitForFinished(120000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

SheetImage LoadScan(const std::string& path)
{
    SheetImage sheet;
    const Result<DecodeWarnings> loaded = sheet.LoadFromFile(path);
    EXPECT_TRUE(loaded.ok()) << path << ": " << loaded.message();
    EXPECT_EQ(sheet.GetBitsPerPixel(), 24) << path;
    return sheet;
}

class ReadingRecorder : public ScoreRecorder {
public:
    void RecordId(int32_t examineeId) override { id = examineeId; }
    void RecordScores(const SheetScores& given) override { scores = given; }

    int32_t id = -1;
    SheetScores scores;
};

struct Reading {
    int32_t id = -1;
    int correct = -1;
    int wrong = -1;
    int errors = -1;

    bool operator==(const Reading&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Reading& reading)
{
    return out << "id " << reading.id << ", correct " << reading.correct << ", wrong " << reading.wrong
               << ", errors " << reading.errors;
}

// Thresholds and measures the sheet as every checking command does first.
void PrepareAndMeasure(SheetImage& sheet, EngineState& engine)
{
    ASSERT_EQ(sheet.PrepareSheet(engine), SheetCheck::Accepted);
    ASSERT_EQ(sheet.MeasureSkew(engine, 0), SheetCheck::Accepted);
}

Reading Grade(const std::string& path, const AnswerList& key)
{
    SheetImage sheet = LoadScan(path);
    RecordingMessageBox reports;
    ReadingRecorder recorder;
    EngineState engine { { &reports, &recorder, nullptr } };
    PrepareAndMeasure(sheet, engine);
    int32_t count = 0;
    for (const std::string& answer : key)
        count += answer.size() == 1 && answer[0] >= 'a' && answer[0] <= 'e';
    EXPECT_EQ(sheet.GradeSheet(engine, key, count), SheetCheck::Accepted);
    return { recorder.id, recorder.scores.correct, recorder.scores.wrong, recorder.scores.errors };
}

using Marks = std::vector<std::string>;

// Every letter in the top and bottom half of every block, a blank row or a row
// marked twice (neighbouring and distant boxes) at the end of each block.
Marks SampleMarks()
{
    Marks marks(100);
    for (int q = 0; q < 100; ++q) {
        const int block = q / 10;
        const int row = q % 10;
        if (row < 9)
            marks[q] = std::string(1, static_cast<char>('a' + (row + block) % 5));
        else if (block % 3 != 0) {
            const int first = block % 5;
            const int second = (first + 1 + block % 4) % 5;
            marks[q] = { static_cast<char>('a' + std::min(first, second)),
                static_cast<char>('a' + std::max(first, second)) };
        }
    }
    return marks;
}

QString JoinMarks(const Marks& marks)
{
    QStringList entries;
    for (const std::string& entry : marks)
        entries << QString::fromStdString(entry);
    return entries.join(',');
}

Reading ExpectedReading(const std::string& id, const Marks& marks, const AnswerList& key)
{
    Reading reading { std::stoi(id), 0, 0, 0 };
    for (size_t q = 0; q < key.size(); ++q) {
        if (marks[q].size() >= 2)
            ++reading.errors;
        else if (marks[q] == key[q])
            ++reading.correct;
        else
            ++reading.wrong;
    }
    return reading;
}

AnswerList KeyOfLetter(char letter)
{
    AnswerList key;
    key.fill(std::string(1, letter));
    return key;
}

int BlackIn(const SheetImage& sheet, const PixelArea& area)
{
    int black = 0;
    for (int y = area.rows.first; y < area.rows.end; ++y)
        for (int x = area.columns.first; x < area.columns.end; ++x)
            black += IsBlack(sheet.GetPixelAddress(x, y));
    return black;
}

bool Inside(const PixelArea& area, int x, int y)
{
    return x >= area.columns.first && x < area.columns.end && y >= area.rows.first && y < area.rows.end;
}

struct FillCase {
    double tilt;
    const char* extension;
    int noise;
    const char* id;
};

std::ostream& operator<<(std::ostream& out, const FillCase& fill)
{
    return out << fill.extension << " tilt " << fill.tilt << " noise " << fill.noise;
}

class FilledSheetTest : public testing::TestWithParam<FillCase> {
protected:
    void SetUp() override
    {
        m_path = m_dir.filePath(QStringLiteral("scan.") + GetParam().extension).toStdString();
        ASSERT_TRUE(RunSheetTool({ "fill", "-o", QString::fromStdString(m_path), "--id", GetParam().id,
            "--answers", JoinMarks(m_marks), "--tilt", QString::number(GetParam().tilt), "--noise",
            QString::number(GetParam().noise), "--quality", "80" }));
    }

    QTemporaryDir m_dir;
    std::string m_path;
    Marks m_marks = SampleMarks();
};

// A key of one letter throughout scores exactly the rows marked with that letter
// alone, so five keys look into every box of the sheet.
TEST_P(FilledSheetTest, ReadsBackWhatWasAskedForUnderEveryKeyLetter)
{
    for (const char letter : std::string("abcde")) {
        const AnswerList key = KeyOfLetter(letter);
        EXPECT_EQ(Grade(m_path, key), ExpectedReading(GetParam().id, m_marks, key))
            << "key letter " << letter;
    }
}

// Each mark sits inside its box with room to spare on the engine's own counts:
// enough black to count, narrow enough not to be rejected, and nothing beside it.
TEST_P(FilledSheetTest, MarksStayWithinTheGradersLimits)
{
    SheetImage sheet = LoadScan(m_path);
    RecordingMessageBox warnings;
    EngineState engine { { &warnings } };
    PrepareAndMeasure(sheet, engine);
    // Noise may leave a lone black pixel on the printed outlines, never a blob.
    const int strays = GetParam().noise > 0 ? 2 : 0;
    const QuestionRows rows = LayQuestionRows(engine.g_skew);
    for (size_t q = 0; q < rows.size(); ++q) {
        const PixelArea strip = RowScanArea(rows[q]);
        std::vector<PixelArea> marked;
        for (int letter = 0; letter < kLettersPerRow; ++letter) {
            const PixelArea box = AnswerBoxArea(LayAnswerBox(rows[q], letter));
            const bool isMarked = m_marks[q].find(static_cast<char>('a' + letter)) != std::string::npos;
            const int black = BlackIn(sheet, box);
            if (!isMarked) {
                EXPECT_LE(black, strays) << "question " << q + 1 << " letter " << letter;
                continue;
            }
            marked.push_back(box);
            EXPECT_GE(black, 70) << "question " << q + 1 << " letter " << letter;
            int startingColumns = 0;
            int alongColumns = 0;
            for (int x = box.columns.first; x < box.columns.end; ++x) {
                const int columnBlack = BlackIn(sheet, { { x, x + 1 }, strip.rows });
                startingColumns += columnBlack >= 5;
                alongColumns += columnBlack >= 4;
            }
            EXPECT_GE(startingColumns, 3) << "question " << q + 1;
            EXPECT_LE(alongColumns, 12) << "question " << q + 1;
        }
        for (int x = strip.columns.first; x < strip.columns.end; ++x) {
            const bool inMarkedBox = std::any_of(marked.begin(), marked.end(),
                [&](const PixelArea& box) { return x >= box.columns.first && x < box.columns.end; });
            if (!inMarkedBox) {
                EXPECT_LE(BlackIn(sheet, { { x, x + 1 }, strip.rows }), strays > 0 ? 1 : 0)
                    << "column " << x << " of question " << q + 1;
            }
        }
    }

    const IdBandLayout bands = LayIdBands(engine.g_skew);
    const int origin = IdDigitOrigin(engine.g_skew);
    for (int band = 0; band < kIdDigitCount; ++band) {
        const PixelArea area = IdBandArea(bands.tops[static_cast<size_t>(band)], bands.left);
        const IdDigitColumns columns = kIdDigitColumns[static_cast<size_t>(GetParam().id[band] - '0')];
        const PixelArea digitColumns { { origin + columns.first, origin + columns.last + 1 }, area.rows };
        EXPECT_GE(BlackIn(sheet, digitColumns), 90) << "band " << band + 1;
        EXPECT_LE(BlackIn(sheet, area) - BlackIn(sheet, digitColumns), strays) << "band " << band + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(TiltsFormatsAndNoise, FilledSheetTest,
    testing::Values(FillCase { 0, "png", 0, "03141592" }, FillCase { -1.5, "tif", 0, "00000000" },
        FillCase { 1.5, "bmp", 0, "99999999" }, FillCase { 0.8, "jpg", 8, "01234567" },
        FillCase { -0.8, "jpg", 12, "76543210" }, FillCase { -3.5, "png", 4, "50505050" }));

// The grader takes the last black pixel of each window in column order as the
// mark's reference point: it must be the bottom-right corner however the sheet lies.
TEST(RegistrationMarkTest, BottomRightCornerIsTheLastBlackPixelAtEveryTilt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tilted.png"));
    for (int step = -6; step <= 6; ++step) {
        const double tilt = step * 0.25;
        ASSERT_TRUE(RunSheetTool(
            { "fill", "-o", path, "--id", "12345678", "--answers", "", "--tilt", QString::number(tilt) }));
        SheetImage sheet = LoadScan(path.toStdString());
        RecordingMessageBox warnings;
        EngineState engine { { &warnings } };
        PrepareAndMeasure(sheet, engine);
        const double radians = tilt * kPi / 180;
        EXPECT_EQ(engine.g_skew.leftMarkX, 120) << "tilt " << tilt;
        EXPECT_EQ(engine.g_skew.leftMarkY, 460) << "tilt " << tilt;
        EXPECT_NEAR(engine.g_skew.rightMarkX, 120 + 600 * std::cos(radians), 1.0) << "tilt " << tilt;
        EXPECT_NEAR(engine.g_skew.rightMarkY, 460 - 600 * std::sin(radians), 1.0) << "tilt " << tilt;
        EXPECT_NEAR(engine.g_skew.angleDegrees, tilt, 0.15) << "tilt " << tilt;
    }
}

// Only the two registration marks survive the threshold on the blank form.
TEST(BlankSheetTest, PrintsEverythingButTheMarksInDropOutColour)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("blank.png")).toStdString();
    ASSERT_TRUE(RunSheetTool({ "blank", "-o", QString::fromStdString(path) }));
    SheetImage sheet = LoadScan(path);
    ASSERT_EQ(sheet.GetWidth(), 827);
    ASSERT_EQ(sheet.GetHeight(), 1169);
    EngineState engine;
    ASSERT_EQ(sheet.PrepareSheet(engine), SheetCheck::Accepted);
    const PixelArea leftMark { { 100, 121 }, { 431, 461 } };
    const PixelArea rightMark { { 700, 721 }, { 431, 461 } };
    int black = 0;
    for (int y = 0; y < sheet.GetHeight(); ++y)
        for (int x = 0; x < sheet.GetWidth(); ++x)
            if (IsBlack(sheet.GetPixelAddress(x, y))) {
                ++black;
                ASSERT_TRUE(Inside(leftMark, x, y) || Inside(rightMark, x, y))
                    << "black at " << x << "," << y;
            }
    EXPECT_GT(black, 2 * 400);
}

int GreyAt(const SheetImage& sheet, int x, int y)
{
    const uint8_t* pixel = sheet.GetPixelAddress(x, y);
    return (pixel[0] + pixel[1] + pixel[2]) / 3;
}

// What each scan option does, measured against the same sheet drawn without it.
struct ScanOptionCase {
    const char* options;
    double (*measure)(SheetImage& scan, SheetImage& plain);
    double low;
    double high;
};

std::ostream& operator<<(std::ostream& out, const ScanOptionCase& scan)
{
    return out << scan.options;
}

// The middle of question 1's 'a' box, columns 127 to 140 and rows 611 to 624.
double MeanGreyInQuestionOne(SheetImage& scan, SheetImage&)
{
    double sum = 0;
    for (int y = 615; y <= 620; ++y)
        for (int x = 131; x <= 136; ++x)
            sum += GreyAt(scan, x, y);
    return sum / 36;
}

// How far the left reference point lies from where turning the page by 1 degree
// about its centre and moving it 6 right, 4 up takes the plain sheet's.
double LeftMarkDrift(SheetImage& scan, SheetImage&)
{
    RecordingMessageBox warnings;
    EngineState engine { { &warnings } };
    PrepareAndMeasure(scan, engine);
    const double u = 120.5 - 827 / 2.0;
    const double v = 460.5 - 1169 / 2.0;
    const double c = std::cos(kPi / 180);
    const double s = std::sin(kPi / 180);
    return std::hypot(engine.g_skew.leftMarkX + 0.5 - (827 / 2.0 + 6 + u * c + v * s),
        engine.g_skew.leftMarkY + 0.5 - (1169 / 2.0 - 4 - u * s + v * c));
}

// The steepest grey step across the left mark's right edge, against the plain sheet's.
double EdgeContrast(SheetImage& scan, SheetImage& plain)
{
    const auto steepest = [](const SheetImage& sheet) {
        int step = 0;
        for (int x = 110; x < 130; ++x)
            step = std::max(step, std::abs(GreyAt(sheet, x + 1, 455) - GreyAt(sheet, x, 455)));
        return step;
    };
    return static_cast<double>(steepest(scan)) / steepest(plain);
}

double NewDarkPixelsInMarkWindows(SheetImage& scan, SheetImage& plain)
{
    int dark = 0;
    for (const PixelArea& window : { kLeftMarkWindow, kRightMarkWindow })
        for (int y = window.rows.first; y < window.rows.end; ++y)
            for (int x = window.columns.first; x < window.columns.end; ++x)
                dark += GreyAt(scan, x, y) < 100 && GreyAt(plain, x, y) >= 100;
    return dark;
}

class ScanOptionTest : public testing::TestWithParam<ScanOptionCase> { };

TEST_P(ScanOptionTest, ChangesTheScanAsItSays)
{
    QTemporaryDir dir;
    const auto draw = [&dir](const QString& name, const QStringList& options) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(RunSheetTool(
            QStringList { "fill", "-o", path, "--id", "12345678", "--answers", "a", "--seed", "3" }
            + options));
        return LoadScan(path.toStdString());
    };
    SheetImage plain = draw("plain.png", {});
    SheetImage scan = draw("scan.png", QString(GetParam().options).split(' '));
    const double measured = GetParam().measure(scan, plain);
    EXPECT_GE(measured, GetParam().low);
    EXPECT_LE(measured, GetParam().high);
}

INSTANTIATE_TEST_SUITE_P(Options, ScanOptionTest,
    testing::Values(ScanOptionCase { "--pencil 30", MeanGreyInQuestionOne, 26, 34 },
        ScanOptionCase { "--pencil 110", MeanGreyInQuestionOne, 106, 114 },
        ScanOptionCase { "--rotate 1 --shift 6,-4", LeftMarkDrift, 0, 1.5 },
        ScanOptionCase { "--blur 1.5", EdgeContrast, 0, 0.4 },
        ScanOptionCase { "--speck", NewDarkPixelsInMarkWindows, 2, 12 }));

struct TruthRow {
    std::string file;
    std::string id;
    int correct = 0;
    int wrong = 0;
    int errors = 0;
};

std::vector<TruthRow> ReadTruth(const std::string& path, std::string& header)
{
    std::istringstream lines(ReadFileBytes(path));
    std::getline(lines, header);
    std::vector<TruthRow> rows;
    for (std::string line; std::getline(lines, line);) {
        std::replace(line.begin(), line.end(), ',', ' ');
        TruthRow row;
        std::istringstream(line) >> row.file >> row.id >> row.correct >> row.wrong >> row.errors;
        rows.push_back(row);
    }
    return rows;
}

class BatchTest : public testing::Test {
protected:
    std::string Generate(const QString& name, const QStringList& options)
    {
        const QString folder = m_dir.filePath(name);
        EXPECT_TRUE(RunSheetTool(QStringList { "batch", "--out", folder } + options));
        return folder.toStdString();
    }

    QTemporaryDir m_dir;
};

// truth.csv states what the grader reports for each sheet against key.txt.
TEST_F(BatchTest, TruthAgreesWithTheGrader)
{
    const std::string folder = Generate(
        "sheets", { "--count", "12", "--seed", "5", "--format", "jpg", "--max-tilt", "1.5", "--noise", "6" });
    const Result<AnswerList> read = ReadAnswerKeyFile(folder + "/key.txt");
    ASSERT_TRUE(read) << read.message();
    const AnswerList& key = *read;
    std::string header;
    const std::vector<TruthRow> truth = ReadTruth(folder + "/truth.csv", header);
    EXPECT_EQ(header.substr(0, 39), "file,examinee_id,correct,wrong,error,m1");
    EXPECT_TRUE(header.ends_with(",m99,m100")) << header;
    ASSERT_EQ(truth.size(), 12u);
    bool leadingZero = false;
    int errors = 0;
    for (size_t i = 0; i < truth.size(); ++i) {
        const TruthRow& row = truth[i];
        EXPECT_EQ(row.file, QString::asprintf("img%03zu.jpg", i + 1).toStdString());
        ASSERT_EQ(row.id.size(), 8u) << row.file;
        EXPECT_EQ(row.correct + row.wrong + row.errors, 100) << row.file;
        leadingZero = leadingZero || row.id[0] == '0';
        errors += row.errors;
        const Reading expected { std::stoi(row.id), row.correct, row.wrong, row.errors };
        EXPECT_EQ(Grade(folder + "/" + row.file, key), expected) << row.file;
    }
    EXPECT_TRUE(leadingZero) << "no ID with a leading zero in the batch";
    EXPECT_GT(errors, 0) << "no row marked twice in the batch";
}

TEST_F(BatchTest, SameSeedGivesTheSameFilesAndAnotherSeedDoesNot)
{
    const QStringList common { "--count", "3", "--format", "tif", "--noise", "5" };
    const std::string first = Generate("first", common + QStringList { "--seed", "42" });
    const std::string again = Generate("again", common + QStringList { "--seed", "42" });
    const std::string other = Generate("other", common + QStringList { "--seed", "43" });
    for (const char* file : { "img001.tif", "img002.tif", "img003.tif", "key.txt", "truth.csv" }) {
        const std::string bytes = ReadFileBytes(first + "/" + file);
        EXPECT_FALSE(bytes.empty()) << file;
        EXPECT_EQ(bytes, ReadFileBytes(again + "/" + file)) << file;
        EXPECT_NE(bytes, ReadFileBytes(other + "/" + file)) << file;
    }
}

} // namespace
