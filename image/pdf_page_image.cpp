#include "image/pdf_page_image.h"

#include "image/pdf_objects.h"
#include "image/pdf_syntax.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Page trees nest a few levels; a class of sheets is a few hundred pages.
constexpr int kMaxTreeDepth = 32;
constexpr int kMaxTreeNodes = 100'000;
// The content of a page that only places its picture is a few dozen bytes.
constexpr size_t kMaxContentBytes = 4096;
// How far the picture's edges may lie from the page's, in points: under a pixel at 100 dpi.
constexpr double kEdgeTolerance = 0.5;

struct Box {
    double left = 0, bottom = 0, right = 0, top = 0;
};

// A page, with what it takes from its ancestors when it does not say it itself.

struct FoundPage {
    PdfObject page;
    std::optional<PdfObject> mediaBox, cropBox, rotate, resources;
};

struct TreeWalk {
    const PdfFile& file;
    int remaining; // pages still to pass before the one wanted
    int nodes = 0;
};

std::optional<FoundPage> FindPage(TreeWalk& walk, const PdfObject& node, int depth, const FoundPage& above)
{
    if (depth > kMaxTreeDepth || ++walk.nodes > kMaxTreeNodes)
        return std::nullopt;
    const std::optional<PdfObject> resolved = walk.file.Resolve(node);
    if (!resolved || resolved->kind != PdfObject::Kind::Dictionary)
        return std::nullopt;
    const PdfObject* kids = resolved->Find("Kids");
    // A page before the one wanted, or a subtree of fewer pages than remain, is
    // passed over whole.
    const PdfObject* count = resolved->Find("Count");
    const int pages = !kids                                   ? 1
        : count && count->Integer() && *count->Integer() >= 0 ? *count->Integer()
                                                              : -1;
    if (pages >= 0 && pages <= walk.remaining) {
        walk.remaining -= pages;
        return std::nullopt;
    }
    FoundPage here = above;
    for (auto [key, slot] :
        { std::pair { "MediaBox", &here.mediaBox }, std::pair { "CropBox", &here.cropBox },
            std::pair { "Rotate", &here.rotate }, std::pair { "Resources", &here.resources } })
        if (const PdfObject* value = resolved->Find(key))
            *slot = walk.file.Resolve(*value);
    if (!kids) {
        here.page = *resolved;
        return here;
    }
    const std::optional<PdfObject> list = walk.file.Resolve(*kids);
    if (!list || list->kind != PdfObject::Kind::Array)
        return std::nullopt;
    for (const PdfObject& kid : list->items) {
        std::optional<FoundPage> found = FindPage(walk, kid, depth + 1, here);
        if (found || walk.nodes > kMaxTreeNodes)
            return found;
    }
    return std::nullopt;
}

std::optional<Box> ReadBox(const std::optional<PdfObject>& array)
{
    if (!array || array->kind != PdfObject::Kind::Array || array->items.size() != 4)
        return std::nullopt;
    std::array<double, 4> values {};
    for (size_t i = 0; i < 4; ++i) {
        if (array->items[i].kind != PdfObject::Kind::Number || !std::isfinite(array->items[i].number))
            return std::nullopt;
        values[i] = array->items[i].number;
    }
    return Box { std::min(values[0], values[2]), std::min(values[1], values[3]),
        std::max(values[0], values[2]), std::max(values[1], values[3]) };
}

bool Near(double a, double b)
{
    return std::abs(a - b) <= kEdgeTolerance;
}

bool SameBox(const Box& a, const Box& b)
{
    return Near(a.left, b.left) && Near(a.bottom, b.bottom) && Near(a.right, b.right) && Near(a.top, b.top);
}

// The name of the picture the content draws when all it does is draw one picture
// over the box, upright.
std::optional<std::string> OnlyPicture(const std::vector<uint8_t>& content, const Box& page)
{
    PdfSyntax syntax(content, 0);
    std::vector<PdfObject> operands;
    std::optional<std::string> drawn;
    bool placed = false;
    int saved = 0;
    for (;;) {
        syntax.SkipSpace();
        if (syntax.Position() >= content.size())
            break;
        if (syntax.ReadKeyword("q")) {
            if (!operands.empty() || placed)
                return std::nullopt;
            ++saved;
        } else if (syntax.ReadKeyword("Q")) {
            if (!operands.empty() || --saved < 0)
                return std::nullopt;
        } else if (syntax.ReadKeyword("cm")) {
            if (placed || drawn || operands.size() != 6)
                return std::nullopt;
            for (const PdfObject& operand : operands)
                if (operand.kind != PdfObject::Kind::Number || !std::isfinite(operand.number))
                    return std::nullopt;
            const Box picture { operands[4].number, operands[5].number,
                operands[4].number + operands[0].number, operands[5].number + operands[3].number };
            if (operands[1].number != 0 || operands[2].number != 0 || operands[0].number <= 0
                || operands[3].number <= 0 || !SameBox(picture, page))
                return std::nullopt;
            placed = true;
            operands.clear();
        } else if (syntax.ReadKeyword("Do")) {
            if (!placed || drawn || operands.size() != 1 || operands[0].kind != PdfObject::Kind::Name)
                return std::nullopt;
            drawn = operands[0].text;
            operands.clear();
        } else {
            std::optional<PdfObject> operand = syntax.ReadObject();
            if (!operand || operands.size() >= 6
                || (operand->kind != PdfObject::Kind::Number && operand->kind != PdfObject::Kind::Name))
                return std::nullopt;
            operands.push_back(std::move(*operand));
        }
    }
    if (saved != 0 || !operands.empty())
        return std::nullopt;
    return drawn;
}

std::optional<std::vector<uint8_t>> PageContent(const PdfFile& file, const PdfObject& page)
{
    const PdfObject* contents = page.Find("Contents");
    if (!contents)
        return std::nullopt;
    std::optional<PdfObject> stream = file.Resolve(*contents);
    if (stream && stream->kind == PdfObject::Kind::Array && stream->items.size() == 1)
        stream = file.Resolve(stream->items[0]);
    if (!stream || stream->kind != PdfObject::Kind::Stream)
        return std::nullopt;
    return file.Decoded(*stream, kMaxContentBytes);
}

std::optional<PdfObject> Picture(
    const PdfFile& file, const std::optional<PdfObject>& resources, const std::string& name)
{
    if (!resources || resources->kind != PdfObject::Kind::Dictionary || !resources->Find("XObject"))
        return std::nullopt;
    const std::optional<PdfObject> pictures = file.Resolve(*resources->Find("XObject"));
    const PdfObject* picture = pictures ? pictures->Find(name) : nullptr;
    if (!picture)
        return std::nullopt;
    std::optional<PdfObject> stream = file.Resolve(*picture);
    if (!stream || stream->kind != PdfObject::Kind::Stream || !stream->Find("Subtype")
        || !stream->Find("Subtype")->IsName("Image"))
        return std::nullopt;
    return stream;
}

// The picture's size, colours and coding, when it is plain grey or RGB pixels:
// no mask, no decode array, no colour space that needs managing.
std::optional<PdfPageImage> Describe(const PdfFile& file, const PdfObject& picture)
{
    for (const char* refused : { "Mask", "SMask", "Decode", "ImageMask" })
        if (const PdfObject* value = picture.Find(refused); value && !value->IsName("false")
            && !(value->kind == PdfObject::Kind::Boolean && value->number == 0))
            return std::nullopt;
    const PdfObject* width = picture.Find("Width");
    const PdfObject* height = picture.Find("Height");
    const PdfObject* bits = picture.Find("BitsPerComponent");
    const PdfObject* filter = picture.Find("Filter");
    const PdfObject* colours = picture.Find("ColorSpace");
    if (filter && filter->kind == PdfObject::Kind::Array && filter->items.size() == 1)
        filter = &filter->items[0];
    const std::optional<PdfObject> space = colours ? file.Resolve(*colours) : std::nullopt;
    if (!width || !width->Integer() || *width->Integer() <= 0 || !height || !height->Integer()
        || *height->Integer() <= 0 || !bits || !bits->Integer() || !filter
        || filter->kind != PdfObject::Kind::Name || !space)
        return std::nullopt;
    PdfPageImage image;
    if (space->IsName("DeviceGray"))
        image.components = 1;
    else if (space->IsName("DeviceRGB"))
        image.components = 3;
    else
        return std::nullopt;
    if (filter->text != "DCTDecode" && filter->text != "FlateDecode" && filter->text != "CCITTFaxDecode")
        return std::nullopt;
    image.filter = filter->text;
    image.width = *width->Integer();
    image.height = *height->Integer();
    image.bitsPerComponent = *bits->Integer();
    image.data = file.StoredBytes(picture);
    return image;
}

} // namespace

std::optional<PdfPageImage> FindPageImage(std::span<const uint8_t> pdf, int index)
{
    const std::optional<PdfFile> file = PdfFile::Open(pdf);
    if (!file || index < 0)
        return std::nullopt;
    const std::optional<PdfObject> root = file->Resolve(*file->Trailer().Find("Root"));
    const PdfObject* pages = root ? root->Find("Pages") : nullptr;
    if (!pages)
        return std::nullopt;
    TreeWalk walk { *file, index };
    const std::optional<FoundPage> found = FindPage(walk, *pages, 0, {});
    if (!found)
        return std::nullopt;
    const std::optional<Box> media = ReadBox(found->mediaBox);
    if (!media || (found->cropBox && (!ReadBox(found->cropBox) || !SameBox(*ReadBox(found->cropBox), *media)))
        || (found->rotate && found->rotate->Integer() != 0) || found->page.Find("UserUnit"))
        return std::nullopt;
    const std::optional<std::vector<uint8_t>> content = PageContent(*file, found->page);
    const std::optional<std::string> name = content ? OnlyPicture(*content, *media) : std::nullopt;
    const std::optional<PdfObject> picture = name ? Picture(*file, found->resources, *name) : std::nullopt;
    std::optional<PdfPageImage> image = picture ? Describe(*file, *picture) : std::nullopt;
    if (image) {
        image->pageWidthPoints = media->right - media->left;
        image->pageHeightPoints = media->top - media->bottom;
    }
    return image;
}
