// Drives vantrel-sheet and reads what it drew with the recognition engine. Whether
// vantrel-grade reads a batch as its truth.csv says is the tools' own round trip.

#include "engine_test_support.h"

#include "omr/mark_windows.h"
#include "omr/marked_letters.h"
#include "omr/pixel_rules.h"
#include "test_files.h"

#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

bool RunSheetTool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(VANTREL_SHEET_TOOL), arguments);
    return tool.waitForFinished(120000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// Draws a filled sheet into the folder and loads it.
SheetImage DrawSheet(const QTemporaryDir& dir, const QString& name, const QStringList& options)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(RunSheetTool(QStringList { "fill", "-o", path } + options))
        << options.join(' ').toStdString();
    SheetImage sheet;
    const Result<DecodeWarnings> loaded = sheet.LoadFromFile(path.toStdString());
    EXPECT_TRUE(loaded.ok()) << loaded.message();
    EXPECT_EQ(sheet.GetBitsPerPixel(), 24);
    return sheet;
}

// Thresholded and measured, as every checking command does first.
void Prepare(SheetImage& sheet, EngineState& engine)
{
    ASSERT_EQ(sheet.PrepareSheet(engine), SheetCheck::Accepted);
    ASSERT_EQ(sheet.MeasureSkew(engine, 0), SheetCheck::Accepted);
}

int BlackIn(const SheetImage& sheet, const PixelArea& area)
{
    int black = 0;
    for (int y = area.rows.first; y < area.rows.end; ++y)
        for (int x = area.columns.first; x < area.columns.end; ++x)
            black += IsBlack(sheet.GetPixelAddress(x, y));
    return black;
}

struct FillCase {
    double tilt;
    const char* extension;
    int noise;
    const char* id;
};

class FilledSheetTest : public EngineTest, public ::testing::WithParamInterface<FillCase> { };

// Every letter in the top and bottom half of every block, and at the end of each
// block a blank row or a row marked twice (neighbouring and distant boxes). Each
// mark must sit in its box with room to spare on the engine's counts: enough black
// to count, narrow enough not to be rejected, nothing beside it (noise may leave a
// lone black pixel on the printed outlines); and grading reads ID and counts back.
TEST_P(FilledSheetTest, ReadsBackWhatWasAskedForWithRoomToSpare)
{
    AnswerList marks;
    QStringList answers;
    for (size_t q = 0; q < marks.size(); ++q) {
        const int block = static_cast<int>(q / 10);
        const int first = block % 5;
        const int second = (first + 1 + block % 4) % 5;
        if (q % 10 < 9)
            marks[q] = std::string(1, static_cast<char>('a' + (static_cast<int>(q % 10) + block) % 5));
        else if (block % 3 != 0)
            marks[q] = { static_cast<char>('a' + std::min(first, second)),
                static_cast<char>('a' + std::max(first, second)) };
        answers << QString::fromStdString(marks[q]);
    }
    QTemporaryDir dir;
    SheetImage sheet = DrawSheet(dir, QStringLiteral("scan.") + GetParam().extension,
        { "--id", GetParam().id, "--answers", answers.join(','), "--tilt", QString::number(GetParam().tilt),
            "--noise", QString::number(GetParam().noise), "--quality", "80" });
    Prepare(sheet, engine);
    const QuestionRows rows = LayQuestionRows(engine.g_skew);
    EXPECT_EQ(ReadMarkedLetters(sheet, rows), marks);

    const int strays = GetParam().noise > 0 ? 1 : 0;
    for (size_t q = 0; q < rows.size(); ++q) {
        const PixelArea strip = RowScanArea(rows[q]);
        std::vector<bool> inMarkedBox(static_cast<size_t>(strip.columns.end - strip.columns.first));
        for (const char letter : marks[q]) {
            const PixelArea box = AnswerBoxArea(LayAnswerBox(rows[q], letter - 'a'));
            EXPECT_GE(BlackIn(sheet, box), 70) << "question " << q + 1 << " letter " << letter;
            int startingColumns = 0;
            int alongColumns = 0;
            for (int x = box.columns.first; x < box.columns.end; ++x) {
                const int black = BlackIn(sheet, { { x, x + 1 }, strip.rows });
                startingColumns += black >= 5;
                alongColumns += black >= 4;
                inMarkedBox[static_cast<size_t>(x - strip.columns.first)] = true;
            }
            EXPECT_GE(startingColumns, 3) << "question " << q + 1;
            EXPECT_LE(alongColumns, 12) << "question " << q + 1;
        }
        for (int x = strip.columns.first; x < strip.columns.end; ++x)
            if (!inMarkedBox[static_cast<size_t>(x - strip.columns.first)]) {
                EXPECT_LE(BlackIn(sheet, { { x, x + 1 }, strip.rows }), strays) << x << " in " << q + 1;
            }
    }
    const IdBandLayout bands = LayIdBands(engine.g_skew);
    for (int band = 0; band < kIdDigitCount; ++band) {
        const PixelArea area = IdBandArea(bands.tops[static_cast<size_t>(band)], bands.left);
        const IdDigitColumns columns = kIdDigitColumns[static_cast<size_t>(GetParam().id[band] - '0')];
        const int origin = IdDigitOrigin(engine.g_skew);
        const PixelArea digit { { origin + columns.first, origin + columns.last + 1 }, area.rows };
        EXPECT_GE(BlackIn(sheet, digit), 90) << "band " << band + 1;
        EXPECT_LE(BlackIn(sheet, area) - BlackIn(sheet, digit), 2 * strays) << "band " << band + 1;
    }

    AnswerList key;
    key.fill("a");
    SheetScores expected { 0, 0, 0, true };
    for (const std::string& marked : marks)
        ++(marked.size() > 1 ? expected.errors : marked == "a" ? expected.correct : expected.wrong);
    EXPECT_EQ(sheet.GradeSheet(engine, key, kQuestionCount), SheetCheck::Accepted);
    EXPECT_EQ(recorder.ids, std::vector<int32_t> { std::stoi(GetParam().id) });
    EXPECT_EQ(recorder.scores, std::vector<SheetScores> { expected });
}

INSTANTIATE_TEST_SUITE_P(TiltsFormatsAndNoise, FilledSheetTest,
    ::testing::Values(FillCase { 0, "png", 0, "03141592" }, FillCase { -1.5, "tif", 0, "00000000" },
        FillCase { 1.5, "bmp", 0, "99999999" }, FillCase { 0.8, "jpg", 8, "01234567" },
        FillCase { -0.8, "jpg", 12, "76543210" }, FillCase { -3.5, "png", 4, "50505050" }));

// The grader takes the last black pixel of each window in column order as the
// mark's reference point: it must be the bottom-right corner however the sheet lies.
TEST(RegistrationMarkTest, BottomRightCornerIsTheLastBlackPixelAtEveryTilt)
{
    QTemporaryDir dir;
    for (int step = -6; step <= 6; ++step) {
        const double tilt = step * 0.25;
        SheetImage sheet = DrawSheet(dir, QStringLiteral("tilted.png"),
            { "--id", "12345678", "--answers", "", "--tilt", QString::number(tilt) });
        RecordingMessageBox warnings;
        EngineState engine { { &warnings } };
        Prepare(sheet, engine);
        EXPECT_EQ(engine.g_skew.leftMarkX, 120) << "tilt " << tilt;
        EXPECT_EQ(engine.g_skew.leftMarkY, 460) << "tilt " << tilt;
        EXPECT_NEAR(engine.g_skew.rightMarkX, 120 + 600 * std::cos(tilt * kPi / 180), 1.0) << "tilt " << tilt;
        EXPECT_NEAR(engine.g_skew.rightMarkY, 460 - 600 * std::sin(tilt * kPi / 180), 1.0) << "tilt " << tilt;
        EXPECT_NEAR(engine.g_skew.angleDegrees, tilt, 0.15) << "tilt " << tilt;
    }
}

// Only the two registration marks survive the threshold on the blank form.
TEST(BlankSheetTest, PrintsEverythingButTheMarksInDropOutColour)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("blank.png")).toStdString();
    ASSERT_TRUE(RunSheetTool({ "blank", "-o", QString::fromStdString(path) }));
    SheetImage sheet;
    ASSERT_TRUE(sheet.LoadFromFile(path).ok());
    ASSERT_EQ(sheet.GetWidth(), 827);
    ASSERT_EQ(sheet.GetHeight(), 1169);
    EngineState engine;
    ASSERT_EQ(sheet.PrepareSheet(engine), SheetCheck::Accepted);
    int black = 0;
    for (int y = 0; y < sheet.GetHeight(); ++y)
        for (int x = 0; x < sheet.GetWidth(); ++x)
            if (IsBlack(sheet.GetPixelAddress(x, y))) {
                ++black;
                ASSERT_TRUE(y >= 431 && y <= 460 && ((x >= 100 && x <= 120) || (x >= 700 && x <= 720)))
                    << "black at " << x << "," << y;
            }
    EXPECT_GT(black, 2 * 400);
}

int GreyAt(const SheetImage& sheet, int x, int y)
{
    return GreyLevel(sheet.GetPixelAddress(x, y));
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
    Prepare(scan, engine);
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

// What each scan option does, measured against the same sheet drawn without it.
struct ScanOptionCase {
    const char* options;
    double (*measure)(SheetImage& scan, SheetImage& plain);
    double low;
    double high;
};

class ScanOptionTest : public ::testing::TestWithParam<ScanOptionCase> { };

TEST_P(ScanOptionTest, ChangesTheScanAsItSays)
{
    QTemporaryDir dir;
    const QStringList sheet { "--id", "12345678", "--answers", "a", "--seed", "3" };
    SheetImage plain = DrawSheet(dir, "plain.png", sheet);
    SheetImage scan = DrawSheet(dir, "scan.png", sheet + QString(GetParam().options).split(' '));
    const double measured = GetParam().measure(scan, plain);
    EXPECT_GE(measured, GetParam().low) << GetParam().options;
    EXPECT_LE(measured, GetParam().high) << GetParam().options;
}

INSTANTIATE_TEST_SUITE_P(Options, ScanOptionTest,
    ::testing::Values(ScanOptionCase { "--pencil 30", MeanGreyInQuestionOne, 26, 34 },
        ScanOptionCase { "--pencil 110", MeanGreyInQuestionOne, 106, 114 },
        ScanOptionCase { "--rotate 1 --shift 6,-4", LeftMarkDrift, 0, 1.5 },
        ScanOptionCase { "--blur 1.5", EdgeContrast, 0, 0.4 },
        ScanOptionCase { "--speck", NewDarkPixelsInMarkWindows, 2, 12 }));

TEST(BatchTest, SameSeedGivesTheSameFilesAndAnotherSeedDoesNot)
{
    QTemporaryDir dir;
    const auto generate = [&dir](const QString& name, const char* seed) {
        EXPECT_TRUE(RunSheetTool({ "batch", "--out", dir.filePath(name), "--count", "3", "--format", "tif",
            "--noise", "5", "--seed", seed }));
        return dir.filePath(name).toStdString() + "/";
    };
    const std::string first = generate("first", "42");
    const std::string again = generate("again", "42");
    const std::string other = generate("other", "43");
    for (const char* file : { "img001.tif", "img002.tif", "img003.tif", "key.txt", "truth.csv" }) {
        const std::string bytes = ReadFileBytes(first + file);
        EXPECT_FALSE(bytes.empty()) << file;
        EXPECT_EQ(bytes, ReadFileBytes(again + file)) << file;
        EXPECT_NE(bytes, ReadFileBytes(other + file)) << file;
    }
}

} // namespace
