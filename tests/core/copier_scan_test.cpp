// Scans as school copiers make them: a class in one PDF or multi-page TIFF, at 200
// or 300 dpi, in colour, grey or black and white, read page by page.

#include "answerkey/answer_key_file.h"
#include "image/decoded_image.h"
#include "image/page_normalise.h"
#include "image/sheet_image.h"
#include "image/sheet_pages.h"
#include "image/tiff_pages.h"
#include "omr/check_sheet.h"
#include "omr/engine_state.h"
#include "omr/page_size_box.h"
#include "omr/score_recorder.h"

#include "engine_test_support.h"
#include "recording_message_box.h"
#include "test_files.h"

#include "test_pdf.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

bool RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    EXPECT_TRUE(ran) << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return ran;
}

struct Truth {
    int32_t id = 0;
    int correct = 0;
    int wrong = 0;
    int errors = 0;
    bool operator==(const Truth&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Truth& t)
{
    return out << "id " << t.id << " correct " << t.correct << " wrong " << t.wrong << " error " << t.errors;
}

// truth.csv of a batch: file,examinee_id,correct,wrong,error,...
std::vector<Truth> ReadTruth(const QString& folder)
{
    std::ifstream in((folder + "/truth.csv").toStdString());
    std::string line;
    std::getline(in, line);
    std::vector<Truth> rows;
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string file, id, correct, wrong, errors;
        std::getline(fields, file, ',');
        std::getline(fields, id, ',');
        std::getline(fields, correct, ',');
        std::getline(fields, wrong, ',');
        std::getline(fields, errors, ',');
        rows.push_back({ std::stoi(id), std::stoi(correct), std::stoi(wrong), std::stoi(errors) });
    }
    return rows;
}

class Scores : public ScoreRecorder {
public:
    void RecordId(int32_t id) override { read.id = id; }
    void RecordScores(const SheetScores& s) override { read = { read.id, s.correct, s.wrong, s.errors }; }
    Truth read;
};

// One class of three sheets drawn at the copier's resolution, then delivered as the
// copier would: the commands after the drawing turn img001..img003 into one file.
struct Delivery {
    const char* name;
    int dpi;
    const char* drawnAs;
    QStringList (*deliver)(const QString& folder, const QString& file);
    const char* file;
};

QStringList Pages(const QString& folder, const char* extension)
{
    QStringList pages;
    for (int n = 1; n <= 3; ++n)
        pages << QStringLiteral("%1/img00%2.%3").arg(folder).arg(n).arg(extension);
    return pages;
}

const Delivery kDeliveries[] = {
    { "ColourPdf300", 300, "jpg",
        [](const QString& folder, const QString& file) {
            return QStringList { "img2pdf" } << Pages(folder, "jpg") << "-o" << file;
        },
        "class.pdf" },
    { "GreyTiff200", 200, "tif",
        [](const QString& folder, const QString& file) {
            return QStringList { "convert" }
            << Pages(folder, "tif")
            << QStringList { "-colorspace", "Gray", "-depth", "8", "-compress", "lzw", file };
        },
        "class.tif" },
    { "Group4Tiff300", 300, "tif",
        [](const QString& folder, const QString& file) {
            return QStringList { "convert" } << Pages(folder, "tif")
                                             << QStringList { "-colorspace", "Gray", "-threshold", "55%",
                                                    "-type", "bilevel", "-compress", "Group4", file };
        },
        "class.tif" },
};

class CopierScanTest : public ::testing::TestWithParam<Delivery> { };

TEST_P(CopierScanTest, EveryPageReadsItsTruth)
{
    const Delivery& delivery = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath(delivery.file);
    ASSERT_TRUE(RunTool(VANTREL_SHEET_TOOL,
        { "batch", "--count", "3", "--dpi", QString::number(delivery.dpi), "--format", delivery.drawnAs,
            "--out", folder.path(), "--seed", QString::number(delivery.dpi) }));
    QStringList command = delivery.deliver(folder.path(), path);
    ASSERT_TRUE(RunTool(command.takeFirst(), command));
    const std::vector<Truth> truth = ReadTruth(folder.path());
    const Result<AnswerList> key = ReadAnswerKeyFile(folder.filePath("key.txt").toStdString());
    ASSERT_TRUE(key.ok()) << key.message();

    const Result<int> pages = CountSheetPages(path.toStdString());
    ASSERT_TRUE(pages.ok()) << pages.message();
    ASSERT_EQ(*pages, 3);
    for (int page = 0; page < *pages; ++page) {
        SCOPED_TRACE(PageName(delivery.file, page, *pages));
        SheetImage image;
        const Result<DecodeWarnings> loaded = LoadSheetPage(image, path.toStdString(), page, *pages);
        ASSERT_TRUE(loaded.ok()) << loaded.message();
        EXPECT_NEAR(image.GetWidth(), 827, 1);
        EXPECT_NEAR(image.GetHeight(), 1169, 1);
        RecordingMessageBox shown;
        Scores scores;
        EngineState engine({ &shown, &scores, nullptr });
        const CheckedSheet checked = CheckSheet(image, engine, { *key, 100, "key" }, [] {});
        ASSERT_EQ(checked.check, SheetCheck::Accepted);
        EXPECT_EQ(scores.read, truth[static_cast<size_t>(page)]);
    }
}

INSTANTIATE_TEST_SUITE_P(Copier, CopierScanTest, ::testing::ValuesIn(kDeliveries),
    [](const auto& info) { return std::string(info.param.name); });

// A five-page grey TIFF as a copier makes it, damaged at the directory of one page
// (the directories' offsets are in the file's own chain, walked by the case).
struct ChainCase {
    const char* name;
    void (*damage)(std::string& tiff, const std::vector<uint32_t>& directories);
    int readable;
};

uint32_t Word(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    if (at + 4 <= bytes.size())
        std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

const ChainCase kChains[] = {
    { "Intact", [](std::string&, const std::vector<uint32_t>&) {}, 5 },
    { "CutInPage4", [](std::string& t, const std::vector<uint32_t>& d) { t.resize(d[3] + 5); }, 3 },
    { "BrokenPage3Header",
        [](std::string& t, const std::vector<uint32_t>& d) { t.replace(d[2], 2, "\xff\xff"); }, 2 },
    { "Page3LoopsToPage1",
        [](std::string& t, const std::vector<uint32_t>& d) {
            const size_t next = d[2] + 2 + 12 * static_cast<uint8_t>(t[d[2]]);
            t.replace(next, 4, t.substr(4, 4));
        },
        3 },
};

bool SamePixels(const SheetImage& a, const SheetImage& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()
        || a.GetBitsPerPixel() != b.GetBitsPerPixel())
        return false;
    const auto rowBytes = static_cast<size_t>(a.GetWidth() * a.GetBitsPerPixel() + 7) / 8;
    for (int y = 0; y < a.GetHeight(); ++y)
        if (std::memcmp(a.GetPixelAddress(0, y), b.GetPixelAddress(0, y), rowBytes) != 0)
            return false;
    return true;
}

class TiffChainTest : public ::testing::TestWithParam<ChainCase> { };

TEST_P(TiffChainTest, EveryPromisedPageIsReadOrRefused)
{
    QTemporaryDir folder;
    ASSERT_TRUE(RunTool(VANTREL_SHEET_TOOL,
        { "batch", "--count", "5", "--format", "tif", "--out", folder.path(), "--seed", "5" }));
    const QString whole = folder.filePath("class.tif");
    QStringList convert = Pages(folder.path(), "tif")
        << folder.filePath("img004.tif") << folder.filePath("img005.tif");
    ASSERT_TRUE(
        RunTool("convert", convert << QStringList { "-colorspace", "Gray", "-compress", "lzw", whole }));
    std::string bytes = ReadFileBytes(whole.toStdString());
    std::vector<uint32_t> directories;
    for (uint32_t at = Word(bytes, 4); at != 0 && directories.size() < 6;
         at = Word(bytes, at + 2 + 12 * (Word(bytes, at) & 0xffff)))
        directories.push_back(at);
    ASSERT_EQ(directories.size(), 5u);
    GetParam().damage(bytes, directories);
    const std::string path = folder.filePath("damaged.tif").toStdString();
    WriteFileBytes(path, bytes);

    const int readable = GetParam().readable;
    const bool broken = readable < 5;
    ASSERT_EQ(CountSheetPages(path).value(), readable + (broken ? 1 : 0));
    const Result<FilePages> pages = ListFilePages(path);
    ASSERT_TRUE(pages.ok());
    EXPECT_EQ(pages->readable, readable);
    EXPECT_EQ(pages->unreadable.find("หน้า " + std::to_string(readable + 1) + " เป็นต้นไปอ่านไม่ได้")
            != std::string::npos,
        broken)
        << pages->unreadable;
    // Each page read straight from its directory is what Qt's reader gives by walking to it.
    QBuffer buffer;
    buffer.setData(QByteArray::fromStdString(bytes));
    QImageReader reader(&buffer);
    for (int page = 0; page < readable; ++page) {
        SheetImage direct;
        SheetImage walked;
        SheetImage expected;
        ASSERT_TRUE(reader.jumpToImage(page));
        ASSERT_TRUE(StoreDecodedImage(reader.read(), expected).ok());
        ASSERT_TRUE(direct.LoadPage(path, page, {}, pages->directories[static_cast<size_t>(page)]).ok());
        ASSERT_TRUE(walked.LoadPage(path, page).ok());
        EXPECT_TRUE(SamePixels(direct, expected) && SamePixels(walked, expected)) << "page " << page + 1;
    }
    SheetImage beyond;
    const Result<DecodeWarnings> refused = beyond.LoadPage(path, readable);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.message().find("เป็นต้นไปอ่านไม่ได้") != std::string::npos, broken) << refused.message();
}

INSTANTIATE_TEST_SUITE_P(Copier, TiffChainTest, ::testing::ValuesIn(kChains),
    [](const auto& info) { return std::string(info.param.name); });

// A page of the given size, depth and stated resolution; 3 x 3 blocks with one
// black pixel in the top left corner of each, the rest white.
SheetImage DottedPage(int width, int height, int depth, int dpi)
{
    SheetImage page;
    EXPECT_TRUE(page.Create(width, height, depth).ok());
    for (int level = 0; level < page.GetColorTableSize(); ++level) {
        const auto grey = static_cast<uint8_t>(level * 255 / (page.GetColorTableSize() - 1));
        const RgbQuad entry { grey, grey, grey, 0 };
        page.SetColorTable(level, 1, &entry);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool dot = x % 3 == 0 && y % 3 == 0;
            uint8_t* p = page.GetPixelAddress(x, y);
            if (depth == 1)
                p[0] = static_cast<uint8_t>(dot ? p[0] & ~(0x80 >> (x & 7)) : p[0] | (0x80 >> (x & 7)));
            else
                std::fill_n(p, depth / 8, dot ? 0 : 255);
        }
    page.SetDotsPerInch(dpi);
    return page;
}

struct SizeCase {
    const char* name;
    int width, height, depth, dpi;
    int outWidth, outHeight; // 0: refused; the input's size: untouched
    int grey; // of the top-left output pixel
};

const SizeCase kSizes[] = {
    { "A4At100", 827, 1169, 24, 100, 827, 1169, 0 },
    { "SaysNothingLetterAt100", 850, 1100, 24, 0, 850, 1100, 0 },
    { "SoftwareDefault96", 1000, 1300, 8, 96, 1000, 1300, 0 },
    { "Says100WhateverItsSize", 2481, 3510, 24, 100, 2481, 3510, 0 },
    { "ScaledDownFieldLeftAt300", 827, 1169, 24, 300, 827, 1169, 0 },
    { "A4At300FromTheField", 2481, 3510, 8, 300, 827, 1170, 227 },
    { "A4At300FromTheWidth", 2481, 3510, 1, 0, 827, 1170, 227 },
    { "LetterAt300From72", 2550, 3300, 24, 72, 850, 1100, 227 },
    { "A4At150", 1240, 1754, 8, 150, 827, 1169, 142 },
    { "NoPaperAtAnyResolution", 2000, 2000, 24, 0, 0, 0, 0 },
};

class PageSizeTest : public ::testing::TestWithParam<SizeCase> { };

std::vector<uint8_t> Bytes(const SheetImage& page)
{
    const uint8_t* lowest = page.GetBits() + static_cast<ptrdiff_t>(page.GetHeight() - 1) * page.GetPitch();
    return { lowest, lowest - static_cast<ptrdiff_t>(page.GetPitch()) * page.GetHeight() };
}

TEST_P(PageSizeTest, BringsThePageToA4At100Dpi)
{
    const SizeCase& c = GetParam();
    SheetImage page = DottedPage(c.width, c.height, c.depth, c.dpi);
    const std::vector<uint8_t> before = Bytes(page);
    const Status normalised = NormalisePage(page);
    if (c.outWidth == 0) {
        EXPECT_FALSE(normalised.ok());
        EXPECT_NE(normalised.message().find("2000 x 2000"), std::string::npos) << normalised.message();
        EXPECT_NE(normalised.message().find("827 x 1169"), std::string::npos) << normalised.message();
        return;
    }
    ASSERT_TRUE(normalised.ok()) << normalised.message();
    EXPECT_EQ(page.GetWidth(), c.outWidth);
    EXPECT_EQ(page.GetHeight(), c.outHeight);
    if (c.outWidth == c.width) {
        EXPECT_EQ(page.GetBitsPerPixel(), c.depth);
        EXPECT_TRUE(Bytes(page) == before) << "an untouched page changed";
        return;
    }
    EXPECT_EQ(page.GetBitsPerPixel(), 24);
    // Area averaging: one black of nine pixels at 300 dpi is 255 * 8 / 9; at 150 dpi a
    // 1.5-pixel square holds the dot's whole pixel of its 2.25: 255 * 1.25 / 2.25.
    EXPECT_EQ(PixelAt(page, 0, 0), (Rgb { c.grey, c.grey, c.grey }));
    if (c.width > 2400) {
        EXPECT_EQ(PixelAt(page, 400, 600), PixelAt(page, 0, 0)) << "the same in every 3 x 3 block";
    }
}

INSTANTIATE_TEST_SUITE_P(Copier, PageSizeTest, ::testing::ValuesIn(kSizes),
    [](const auto& info) { return std::string(info.param.name); });

// At a resolution that is no whole multiple of 100 dpi, every output pixel is still
// the mean of the area it covers: against the mean worked out plainly, in doubles
// (the page's own weights are rounded to 1/256 of a pixel, hence one grey level).
TEST(PageAverageTest, EveryPixelIsTheMeanOfItsArea)
{
    constexpr int kWidth = 1800, kHeight = 2000, kDpi = 290;
    const auto noisy = [] {
        SheetImage page;
        EXPECT_TRUE(page.Create(kWidth, kHeight, 24).ok());
        uint32_t noise = 12345;
        for (int y = 0; y < kHeight; ++y)
            for (uint8_t *p = page.GetPixelAddress(0, y), *end = p + 3 * kWidth; p != end; ++p)
                *p = static_cast<uint8_t>((noise = noise * 1103515245 + 12345) >> 23);
        page.SetDotsPerInch(kDpi);
        return page;
    };
    const SheetImage scan = noisy();
    SheetImage page = noisy();
    ASSERT_TRUE(NormalisePage(page).ok());
    ASSERT_EQ(page.GetWidth(), 621);
    // The page keeps its whole width and height: 1800 / 621 input pixels to one.
    const double sx = static_cast<double>(kWidth) / page.GetWidth(),
                 sy = static_cast<double>(kHeight) / page.GetHeight();
    int worst = 0;
    for (int oy = 0; oy < page.GetHeight(); oy += 7)
        for (int ox = 0; ox < page.GetWidth(); ox += 5)
            for (int c = 0; c < 3; ++c) {
                double sum = 0, area = 0;
                for (int y = static_cast<int>(oy * sy); y < std::min<double>(kHeight, (oy + 1) * sy); ++y)
                    for (int x = static_cast<int>(ox * sx); x < std::min<double>(kWidth, (ox + 1) * sx);
                         ++x) {
                        const double share = (std::min((ox + 1) * sx, x + 1.0) - std::max(ox * sx, 1.0 * x))
                            * (std::min((oy + 1) * sy, y + 1.0) - std::max(oy * sy, 1.0 * y));
                        sum += share * scan.GetPixelAddress(x, y)[c];
                        area += share;
                    }
                worst = std::max(worst,
                    std::abs(page.GetPixelAddress(ox, oy)[c] - static_cast<int>(std::lround(sum / area))));
            }
    EXPECT_LE(worst, 1);
}

// A PDF of the given objects (1: catalog, 2: pages) and these trailer entries.
std::string Pdf(const std::vector<std::string>& objects, const std::string& trailer)
{
    return PdfOfObjects(objects, [&trailer](size_t) { return " " + trailer; });
}

struct PdfCase {
    const char* name;
    std::string pdf;
    const char* message;
};

const std::string kHex32(64, 'A');

class PdfRefusalTest : public ::testing::TestWithParam<PdfCase> { };

TEST_P(PdfRefusalTest, TellsTheTeacherWhy)
{
    QTemporaryDir folder;
    const std::string path = folder.filePath("scan.pdf").toStdString();
    WriteFileBytes(path, GetParam().pdf);
    const Result<int> pages = CountSheetPages(path);
    ASSERT_FALSE(pages.ok());
    EXPECT_NE(pages.message().find(GetParam().message), std::string::npos) << pages.message();
    SheetImage image;
    EXPECT_FALSE(LoadSheetPage(image, path, 0, 1).ok());
}

INSTANTIATE_TEST_SUITE_P(Copier, PdfRefusalTest,
    ::testing::Values(
        PdfCase { "NoPages",
            Pdf({ "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [] /Count 0 >>" }, ""),
            "ไม่มีหน้าใดเลย" },
        PdfCase { "Password",
            Pdf({ "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [] /Count 0 >>",
                    "<< /Filter /Standard /V 1 /R 2 /O <" + kHex32 + "> /U <" + kHex32 + "> /P -4 >>" },
                "/Encrypt 3 0 R /ID [<00112233445566778899AABBCCDDEEFF> <00112233445566778899AABBCCDDEEFF>]"),
            "รหัสผ่าน" }),
    [](const auto& info) { return std::string(info.param.name); });

// A 300-dpi page that says 100 dpi reaches the engine as it is; the engine finds no
// mark where a 100-dpi page has it, and the teacher is told the size, not the mark.
TEST(PageSizeBoxTest, TheSizeReplacesTheMissingMark)
{
    SheetImage page = WhiteImage(2481, 3510);
    page.SetDotsPerInch(100);
    ASSERT_TRUE(NormalisePage(page).ok());
    RecordingMessageBox shown;
    PageSizeBox messages(&shown, page);
    EngineState engine({ &messages, nullptr, nullptr });
    EXPECT_EQ(CheckSheet(page, engine, {}, [] {}).check, SheetCheck::NoRegistrationMark);
    ASSERT_EQ(shown.texts.size(), 1u);
    EXPECT_EQ(shown.texts[0], PageSizeMessage(2481, 3510));
    EXPECT_EQ(messages.Refusal(SheetCheck::NoRegistrationMark), shown.texts[0]);
}

} // namespace
