// Colour JPEGs are decoded by libjpeg-turbo directly, everything else by Qt: both must
// give the same pixels for every kind of JPEG, so a sheet grades the same either way. The
// reading library decodes a JPEG's bytes, grey ones too, to what the desktop loads.

#include "image_test_support.h"

#include "image/colour_jpeg.h"
#include "image/decoded_image.h"

#include <QImageReader>

#include <turbojpeg.h>

namespace {

std::string Compress(const SheetImage& image, int subsampling, int quality, int flags, int pixels = TJPF_BGR)
{
    const tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    EXPECT_EQ(tjCompress2(handle, image.GetPixelAddress(0, image.GetHeight() - 1), image.GetWidth(),
                  -image.GetPitch(), image.GetHeight(), pixels, &jpeg, &size, subsampling, quality,
                  flags | TJFLAG_BOTTOMUP),
        0);
    std::string bytes(reinterpret_cast<const char*>(jpeg), size);
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}

// Whole rows, row padding included.
std::vector<uint8_t> RowsOf(const SheetImage& image)
{
    const uint8_t* top = image.GetPixelAddress(0, 0);
    return { top + ptrdiff_t(image.GetHeight() - 1) * image.GetPitch(), top - image.GetPitch() };
}

class ColourJpeg : public ImageFileTest, public ::testing::WithParamInterface<std::tuple<int, int, int>> { };

TEST_P(ColourJpeg, DecodesAsQtDoes)
{
    const auto [subsampling, quality, flags] = GetParam();
    const std::string path = PathOf("sheet.jpg");
    // Colour detail in every pixel, 827 x 3 bytes a row padded to 2484.
    WriteFileBytes(path, Compress(Patterned(827, 1169, 24), subsampling, quality, flags));
    SheetImage direct, viaQt;
    ASSERT_TRUE(direct.LoadFromFile(path));
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    ASSERT_TRUE(StoreDecodedImage(reader.read(), viaQt));
    ASSERT_EQ(direct.GetBitsPerPixel(), 24);
    ASSERT_EQ(viaQt.GetBitsPerPixel(), 24);
    // The padding holds zeros, as Create leaves it.
    ASSERT_EQ(RowsOf(direct), RowsOf(viaQt));
    const std::string bytes = ReadFileBytes(path);
    SheetImage fromBytes;
    const std::optional<Status> decoded
        = DecodeJpeg(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), fromBytes);
    ASSERT_TRUE(decoded && decoded->ok());
    ASSERT_EQ(RowsOf(fromBytes), RowsOf(direct));

    // A band of rows alone: the same pixels in it, white around it.
    SheetImage band;
    ASSERT_TRUE(band.LoadPage(path, 0, { 301, 1000 }));
    const size_t rowBytes = 3 * 827;
    for (int r = 0; r < 1169; ++r) {
        const bool inBand = r >= 301 && r < 1000;
        const std::vector<uint8_t> row(band.GetPixelAddress(0, r), band.GetPixelAddress(0, r) + rowBytes);
        const std::vector<uint8_t> expected = inBand
            ? std::vector<uint8_t>(direct.GetPixelAddress(0, r), direct.GetPixelAddress(0, r) + rowBytes)
            : std::vector<uint8_t>(rowBytes, 255);
        ASSERT_EQ(row, expected) << "row " << r;
    }
}

// Damaged data below a band stops its decode as it stops a whole one.
TEST_F(ImageFileTest, DamageBelowTheBandRefusesTheSheetAsAWholeDecodeDoes)
{
    std::string bytes = Compress(Patterned(827, 1169, 24), TJSAMP_420, 85, 0);
    // A restart marker where the stream has none, in its last rows.
    const size_t at = bytes.size() * 95 / 100;
    bytes.replace(at, 2, "\xFF\xD3");
    const std::string path = PathOf("damaged.jpg");
    WriteFileBytes(path, bytes);
    SheetImage whole, band;
    const Result<DecodeWarnings> fromWhole = whole.LoadFromFile(path);
    const Result<DecodeWarnings> fromBand = band.LoadPage(path, 0, { 301, 1000 });
    ASSERT_FALSE(fromWhole.ok());
    EXPECT_FALSE(fromBand.ok());
    EXPECT_EQ(fromBand.message(), fromWhole.message());
}

// A grey JPEG's bytes, decoded without Qt, give what the desktop loads through Qt: the
// pixels, the grey ramp and the resolution its JFIF header gives (none, per inch, per cm).
class GreyJpeg : public ImageFileTest, public ::testing::WithParamInterface<std::tuple<int, int, int>> { };

TEST_P(GreyJpeg, DecodesFromBytesAsTheDesktopLoads)
{
    const auto [unit, density, flags] = GetParam();
    std::string bytes = Compress(Patterned(827, 301, 8), TJSAMP_GRAY, 80, flags, TJPF_GRAY);
    ASSERT_EQ(bytes.substr(6, 4), "JFIF");
    bytes[13] = static_cast<char>(unit);
    for (const size_t at : { 14, 16 }) {
        bytes[at] = static_cast<char>(density >> 8);
        bytes[at + 1] = static_cast<char>(density & 0xFF);
    }
    const std::string path = PathOf("grey.jpg");
    WriteFileBytes(path, bytes);
    SheetImage loaded, fromBytes;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    const std::optional<Status> decoded
        = DecodeJpeg(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), fromBytes);
    ASSERT_TRUE(decoded && decoded->ok());
    ASSERT_EQ(fromBytes.GetBitsPerPixel(), loaded.GetBitsPerPixel());
    EXPECT_EQ(RowsOf(fromBytes), RowsOf(loaded));
    EXPECT_EQ(fromBytes.GetDotsPerInch(), loaded.GetDotsPerInch());
    std::array<RgbQuad, 256> ramp, loadedRamp;
    ASSERT_EQ(fromBytes.GetColorTableSize(), 256);
    fromBytes.GetColorTable(0, 256, ramp.data());
    loaded.GetColorTable(0, 256, loadedRamp.data());
    EXPECT_EQ(0, std::memcmp(ramp.data(), loadedRamp.data(), sizeof ramp));
}

INSTANTIATE_TEST_SUITE_P(Densities, GreyJpeg,
    ::testing::Values(std::tuple { 0, 1, 0 }, std::tuple { 1, 300, 0 },
        std::tuple { 1, 72, TJFLAG_PROGRESSIVE }, std::tuple { 2, 118, 0 }));

INSTANTIATE_TEST_SUITE_P(Encodings, ColourJpeg,
    ::testing::Values(std::tuple { TJSAMP_420, 85, 0 }, std::tuple { TJSAMP_422, 75, 0 },
        std::tuple { TJSAMP_444, 95, 0 }, std::tuple { TJSAMP_440, 60, 0 },
        std::tuple { TJSAMP_420, 85, TJFLAG_PROGRESSIVE }, std::tuple { TJSAMP_411, 90, TJFLAG_FASTDCT }));

} // namespace
