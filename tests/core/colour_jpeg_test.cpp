// Colour JPEGs are decoded by libjpeg-turbo directly, everything else by Qt: both must
// give the same pixels for every kind of JPEG, so a sheet grades the same either way.

#include "image_test_support.h"

#include "image/decoded_image.h"

#include <QImageReader>

#include <turbojpeg.h>

namespace {

std::string Compress(const SheetImage& image, int subsampling, int quality, int flags)
{
    const tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    EXPECT_EQ(tjCompress2(handle, image.GetPixelAddress(0, image.GetHeight() - 1), image.GetWidth(),
                  -image.GetPitch(), image.GetHeight(), TJPF_BGR, &jpeg, &size, subsampling, quality,
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

INSTANTIATE_TEST_SUITE_P(Encodings, ColourJpeg,
    ::testing::Values(std::tuple { TJSAMP_420, 85, 0 }, std::tuple { TJSAMP_422, 75, 0 },
        std::tuple { TJSAMP_444, 95, 0 }, std::tuple { TJSAMP_440, 60, 0 },
        std::tuple { TJSAMP_420, 85, TJFLAG_PROGRESSIVE }, std::tuple { TJSAMP_411, 90, TJFLAG_FASTDCT }));

} // namespace
