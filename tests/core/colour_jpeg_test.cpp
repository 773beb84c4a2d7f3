// Colour JPEGs are decoded by libjpeg-turbo directly; everything else by Qt. Both
// must give the same pixels, and so the same grading, for every kind of JPEG.

#include "engine_test_support.h"
#include "image_test_support.h"

#include "answerkey/answer_key_store.h"
#include "image/decoded_image.h"
#include "omr/check_sheet.h"
#include "omr/question_observer.h"
#include "omr/sheet_layout.h"

#include <QImageReader>

#include <turbojpeg.h>

#include <cstring>
#include <functional>
#include <random>

namespace {

// A sheet as a scanner gives it: slightly tilted, paper with grain, pencil marks
// with soft edges in the ID bands and answer rows.
SheetImage ScannedSheet()
{
    SheetImage image = WhiteImage(827, 1169);
    DrawMark(image, 100, 450);
    DrawMark(image, 700, 453);
    const SkewMeasurement skew { 100, 450, 700, 453, std::atan(-3.0 / 600), 0 };
    std::mt19937 random(7);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            uint8_t* pixel = image.GetPixelAddress(x, y);
            if (pixel[0] == 255)
                pixel[0] = pixel[1] = pixel[2] = static_cast<uint8_t>(235 + random() % 21);
        }
    const QuestionRows rows = LayQuestionRows(skew);
    for (int question = 0; question < kQuestionCount; ++question) {
        const PixelArea box = AnswerBoxArea(LayAnswerBox(rows[static_cast<size_t>(question)], question % 5));
        Fill(image, box.columns.first + 1, box.rows.first + 2, box.columns.first + 12, box.rows.first + 11,
            { 40, 40, 60 });
        Fill(image, box.columns.first, box.rows.first + 4, box.columns.first, box.rows.first + 9,
            { 150, 150, 160 });
    }
    const IdBandLayout bands = LayIdBands(skew);
    for (size_t digit = 0; digit < bands.tops.size(); ++digit) {
        const int left = IdDigitOrigin(skew) + 19 * static_cast<int>(digit) + 2;
        const int top = static_cast<int>(bands.tops[digit]) + 2;
        Fill(image, left, top, left + 10, top + 9, { 30, 30, 30 });
    }
    return image;
}

struct JpegCase {
    const char* name;
    int subsampling;
    int quality;
    int flags;
};

std::string Compress(const SheetImage& image, const JpegCase& c)
{
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(handle, image.GetPixelAddress(0, image.GetHeight() - 1), image.GetWidth(),
        -image.GetPitch(), image.GetHeight(), TJPF_BGR, &jpeg, &size, c.subsampling, c.quality,
        c.flags | TJFLAG_BOTTOMUP);
    EXPECT_EQ(result, 0) << tjGetErrorStr2(handle);
    std::string bytes(reinterpret_cast<const char*>(jpeg), size);
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}

// The pixels Qt's reader gives for the file, stored as LoadFromFile stores them.
SheetImage DecodedByQt(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    QImage decoded;
    EXPECT_TRUE(reader.read(&decoded)) << reader.errorString().toStdString();
    SheetImage image;
    EXPECT_TRUE(StoreDecodedImage(decoded, image).ok());
    return image;
}

std::vector<uint8_t> PixelsOf(const SheetImage& image)
{
    std::vector<uint8_t> pixels;
    const size_t rowBytes = static_cast<size_t>(image.GetWidth() * image.GetBitsPerPixel() / 8);
    for (int y = 0; y < image.GetHeight(); ++y)
        pixels.insert(pixels.end(), image.GetPixelAddress(0, y), image.GetPixelAddress(0, y) + rowBytes);
    return pixels;
}

class Silent : public MessageBoxService, public ScoreRecorder, public QuestionObserver {
public:
    void Show(const std::string& text) override { log += "message " + text + "\n"; }
    void RecordId(int32_t id) override { log += "id " + std::to_string(id) + "\n"; }
    void RecordScores(const SheetScores& s) override
    {
        log += "scores " + std::to_string(s.correct) + " " + std::to_string(s.wrong) + " "
            + std::to_string(s.errors) + "\n";
    }
    void QuestionScored(int32_t question, QuestionScore score) override
    {
        log += std::to_string(question) + ":" + std::to_string(static_cast<int>(score)) + " ";
    }
    std::string log;
};

// Everything grading the image shows, records and paints, against a key that
// matches the drawn marks.
std::pair<std::string, std::vector<uint8_t>> Graded(SheetImage& image)
{
    Silent silent;
    EngineState engine { { &silent, &silent, &silent } };
    AnswerKey key;
    for (int question = 0; question < kQuestionCount; ++question)
        key.answers[static_cast<size_t>(question)] = std::string(1, static_cast<char>('a' + question % 5));
    key.count = kQuestionCount;
    CheckSheet(image, engine, key, [] {});
    return { silent.log, PixelsOf(image) };
}

class ColourJpegTest : public ImageFileTest, public ::testing::WithParamInterface<JpegCase> { };

TEST_P(ColourJpegTest, DecodesAndGradesAsQtDoes)
{
    const std::string path = PathOf("sheet.jpg");
    WriteBytes(path, Compress(ScannedSheet(), GetParam()));

    SheetImage direct;
    ASSERT_TRUE(direct.LoadFromFile(path).ok());
    SheetImage viaQt = DecodedByQt(path);

    ASSERT_EQ(direct.GetBitsPerPixel(), 24);
    ASSERT_EQ(viaQt.GetBitsPerPixel(), 24);
    ASSERT_EQ(PixelsOf(direct), PixelsOf(viaQt));
    const auto graded = Graded(direct);
    EXPECT_EQ(graded, Graded(viaQt));
    EXPECT_NE(graded.first.find("scores 100 0 0"), std::string::npos) << graded.first;
}

INSTANTIATE_TEST_SUITE_P(Encodings, ColourJpegTest,
    ::testing::Values(JpegCase { "Sub420Quality85", TJSAMP_420, 85, 0 },
        JpegCase { "Sub422Quality75", TJSAMP_422, 75, 0 }, JpegCase { "Sub444Quality95", TJSAMP_444, 95, 0 },
        JpegCase { "Sub440Quality60", TJSAMP_440, 60, 0 },
        JpegCase { "ProgressiveSub420", TJSAMP_420, 85, TJFLAG_PROGRESSIVE },
        JpegCase { "FastDctEncoded", TJSAMP_411, 90, TJFLAG_FASTDCT }),
    [](const auto& info) { return std::string(info.param.name); });

// The decoder fills only the pixels; the padding that ends each row (827 x 3 bytes
// padded to 2484) must still be zero, as Create leaves it, so that whole rows
// handed to an encoder hold nothing undefined.
TEST_F(ImageFileTest, RowPaddingOfADecodedJpegIsZero)
{
    const std::string path = PathOf("sheet.jpg");
    WriteBytes(path, Compress(ScannedSheet(), { "", TJSAMP_420, 85, 0 }));
    SheetImage image;
    ASSERT_TRUE(image.LoadFromFile(path).ok());
    ASSERT_EQ(-image.GetPitch(), 2484);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int i = 2481; i < 2484; ++i)
            ASSERT_EQ(image.GetPixelAddress(0, y)[i], 0) << y;
}

// A grey JPEG stays with Qt, which keeps it at 8 bits.
TEST_F(ImageFileTest, GreyJpegKeepsItsEightBits)
{
    std::string jpeg = Compress(ScannedSheet(), { "", TJSAMP_GRAY, 85, 0 });
    const std::string path = PathOf("grey.jpg");
    WriteBytes(path, jpeg);

    SheetImage image;
    ASSERT_TRUE(image.LoadFromFile(path).ok());
    EXPECT_EQ(image.GetBitsPerPixel(), 8);
    EXPECT_EQ(PixelsOf(image), PixelsOf(DecodedByQt(path)));
}

} // namespace
