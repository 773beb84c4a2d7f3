// A scanned PDF page is read from its one picture; any page that is more than that
// picture over the whole page, or a file this reader cannot follow, is left to the
// renderer.

#include "image/pdf_page_image.h"
#include "image/scanned_pdf_page.h"
#include "image/sheet_image.h"

#include "image_test_support.h"
#include "test_pdf.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>
#include <span>

namespace {

std::string Stream(const std::string& dictionary, const std::string& data)
{
    return "<< " + dictionary + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data
        + "\nendstream";
}

// A copier's page of 595.2 x 841.92 points (A4) with the objects changed as the case
// says: 1 catalog, 2 pages, 3 page, 4 content, 5 picture.
struct PageParts {
    std::string pagesExtra;
    std::string pageExtra = "/MediaBox [0 0 595.2 841.92]";
    std::string content = "q\n595.2 0 0 841.92 0 0 cm\n/Im0 Do\nQ";
    std::string contents = "4 0 R";
    std::string pictureExtra = "/ColorSpace /DeviceRGB /Filter /DCTDecode";
    std::string trailerExtra;
    std::string pictureData = "JPEG";
    bool previousIsItself = false;
};

std::string CopierPdf(const PageParts& parts)
{
    const std::vector<std::string> objects { "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 " + parts.pagesExtra + " >>",
        "<< /Type /Page /Parent 2 0 R " + parts.pageExtra + " /Contents " + parts.contents
            + " /Resources << /XObject << /Im0 5 0 R >> >> >>",
        Stream("", parts.content),
        Stream("/Type /XObject /Subtype /Image /Width 2480 /Height 3508 /BitsPerComponent 8 "
                + parts.pictureExtra,
            parts.pictureData) };
    return PdfOfObjects(objects, [&parts](size_t xref) {
        const std::string previous = parts.previousIsItself ? " /Prev " + std::to_string(xref) : "";
        return previous + " " + parts.trailerExtra;
    });
}

struct StructureCase {
    const char* name;
    void (*change)(PageParts& parts);
    bool isPicture;
};

const StructureCase kStructures[] = {
    { "Scanned", [](PageParts&) {}, true },
    { "ContentInArray", [](PageParts& p) { p.contents = "[4 0 R]"; }, true },
    { "InheritedBox",
        [](PageParts& p) {
            p.pagesExtra = p.pageExtra;
            p.pageExtra.clear();
        },
        true },
    { "WithoutSave", [](PageParts& p) { p.content = "595.2 0 0 841.92 0 0 cm /Im0 Do"; }, true },
    { "InsideMargins", [](PageParts& p) { p.content = "q 500 0 0 800 40 20 cm /Im0 Do Q"; }, false },
    { "Flipped", [](PageParts& p) { p.content = "q 595.2 0 0 -841.92 0 841.92 cm /Im0 Do Q"; }, false },
    { "Turned", [](PageParts& p) { p.content = "q 0 841.92 -595.2 0 595.2 0 cm /Im0 Do Q"; }, false },
    { "TextBeside", [](PageParts& p) { p.content += " BT /F1 12 Tf (x) Tj ET"; }, false },
    { "DrawnTwice", [](PageParts& p) { p.content += " " + p.content; }, false },
    { "Unbalanced", [](PageParts& p) { p.content = "q " + p.content; }, false },
    { "Rotated", [](PageParts& p) { p.pageExtra += " /Rotate 90"; }, false },
    { "Cropped", [](PageParts& p) { p.pageExtra += " /CropBox [0 0 300 400]"; }, false },
    { "Masked", [](PageParts& p) { p.pictureExtra += " /SMask 4 0 R"; }, false },
    { "Cmyk", [](PageParts& p) { p.pictureExtra = "/ColorSpace /DeviceCMYK /Filter /DCTDecode"; }, false },
    { "Jpeg2000", [](PageParts& p) { p.pictureExtra = "/ColorSpace /DeviceRGB /Filter /JPXDecode"; }, false },
    { "Encrypted", [](PageParts& p) { p.trailerExtra = "/Encrypt << /Filter /Standard >>"; }, false },
    { "SectionLoops", [](PageParts& p) { p.previousIsItself = true; }, false },
};

class PdfStructureTest : public ::testing::TestWithParam<StructureCase> { };

TEST_P(PdfStructureTest, OnlyOnePictureOverThePageIsRead)
{
    PageParts parts;
    GetParam().change(parts);
    const std::string pdf = CopierPdf(parts);
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(pdf.data()), pdf.size());
    const std::optional<PdfPageImage> picture = FindPageImage(bytes, 0);
    ASSERT_EQ(picture.has_value(), GetParam().isPicture);
    EXPECT_FALSE(FindPageImage(bytes, 1));
    if (!picture)
        return;
    EXPECT_EQ(std::string(picture->data.begin(), picture->data.end()), "JPEG");
    EXPECT_EQ(picture->filter, "DCTDecode");
    EXPECT_EQ(picture->components, 3);
    EXPECT_EQ(picture->width, 2480);
    EXPECT_EQ(picture->height, 3508);
    EXPECT_NEAR(picture->pageWidthPoints, 595.2, 1e-9);
    EXPECT_NEAR(picture->pageHeightPoints, 841.92, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Copier, PdfStructureTest, ::testing::ValuesIn(kStructures),
    [](const auto& info) { return std::string(info.param.name); });

// A scan's picture at the copier's resolution comes out as the page's 100-dpi
// rendering would: A4's size, the colours where they were (a red left half and a
// blue right half, each checked away from the edge).
struct ScaleCase {
    const char* name;
    int width;
    int height;
    bool decoded;
};

const ScaleCase kScales[] = {
    { "Copier300", 2480, 3508, true },
    { "Copier200", 1654, 2339, true },
    { "Scanner150", 1240, 1754, true },
    { "Below100", 600, 850, false },
};

class PdfPictureTest : public ::testing::TestWithParam<ScaleCase> { };

TEST_P(PdfPictureTest, ComesOutAtTheRenderedSize)
{
    QImage drawn(GetParam().width, GetParam().height, QImage::Format_RGB32);
    drawn.fill(Qt::blue);
    QPainter(&drawn).fillRect(0, 0, GetParam().width / 2, GetParam().height, Qt::red);
    const std::string jpeg = Encode(drawn, "jpg");
    PdfPageImage picture { "DCTDecode", GetParam().width, GetParam().height, 3, 8, 595.2, 841.92,
        { reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size() } };
    SheetImage page;
    const std::optional<Status> read = DecodePdfPageImage(picture, page);
    ASSERT_EQ(read.has_value(), GetParam().decoded);
    if (!read)
        return;
    ASSERT_TRUE(read->ok()) << read->message();
    EXPECT_EQ(page.GetWidth(), 827);
    EXPECT_EQ(page.GetHeight(), 1169);
    EXPECT_EQ(page.GetBitsPerPixel(), 24);
    EXPECT_EQ(page.GetDotsPerInch(), 100);
    for (const auto& [x, blue, red] : { std::tuple { 200, 0, 254 }, std::tuple { 620, 254, 0 } })
        for (const int y : { 10, 580, 1150 }) {
            const std::array<int, 3> bgr = BgrAt(page, x, y);
            EXPECT_NEAR(bgr[0], blue, 3) << x << "," << y;
            EXPECT_NEAR(bgr[1], 0, 3) << x << "," << y;
            EXPECT_NEAR(bgr[2], red, 3) << x << "," << y;
        }
    // A picture that is not what the dictionary says is left to the renderer.
    picture.components = 1;
    EXPECT_FALSE(DecodePdfPageImage(picture, page));
}

INSTANTIATE_TEST_SUITE_P(Copier, PdfPictureTest, ::testing::ValuesIn(kScales),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
