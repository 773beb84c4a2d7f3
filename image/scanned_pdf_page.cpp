#include "image/scanned_pdf_page.h"

#include "image/compression_bound.h"
#include "image/page_normalise.h"
#include "image/sheet_image.h"

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <fcntl.h>
#include <span>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr double kPointsPerInch = 72;
constexpr int kPageDpi = 100;

// The file's bytes, mapped for as long as the page is read: a class's PDF is read
// once a page, and each reading touches only that page's objects.
class MappedFile {
public:
    explicit MappedFile(const std::string& path)
    {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat info { };
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
            void* mapped = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (mapped != MAP_FAILED) {
                m_data = static_cast<const uint8_t*>(mapped);
                m_size = static_cast<size_t>(info.st_size);
            }
        }
        close(fd);
    }
    ~MappedFile()
    {
        if (m_data)
            munmap(const_cast<uint8_t*>(m_data), m_size);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const uint8_t> Bytes() const { return { m_data, m_size }; }

private:
    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
};

// libjpeg's errors and warnings both end the decode: a damaged picture is left to
// the renderer, which says what it makes of it.
struct ErrorTrap {
    jpeg_error_mgr manager; // first: libjpeg hands back a pointer to it
    std::jmp_buf jump;
};

[[noreturn]] void StopOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

void StopOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        StopOnError(info);
}

// The smallest reduced scale n/8 whose picture is at least width x height; 0
// when even the full size is smaller.
int ReducedScale(const jpeg_decompress_struct& info, int width, int height)
{
    for (int n = 1; n <= 8; ++n)
        if ((static_cast<int64_t>(info.image_width) * n + 7) / 8 >= width
            && (static_cast<int64_t>(info.image_height) * n + 7) / 8 >= height)
            return n;
    return 0;
}

// Decodes at the reduced scale into `decoded` (24-bit blue, green, red). Its frame
// holds nothing with a destructor, which the jump back would skip.
bool Decode(jpeg_decompress_struct& info, ErrorTrap& trap, const PdfPageImage& picture, int width, int height,
    SheetImage& decoded, std::vector<JSAMPROW>& rows)
{
    if (setjmp(trap.jump))
        return false;
    jpeg_mem_src(&info, picture.data.data(), static_cast<unsigned long>(picture.data.size()));
    jpeg_read_header(&info, TRUE);
    const bool colours = picture.components == 3
        ? info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB
        : info.jpeg_color_space == JCS_GRAYSCALE;
    if (!colours || info.image_width != static_cast<JDIMENSION>(picture.width)
        || info.image_height != static_cast<JDIMENSION>(picture.height))
        return false;
    info.scale_num = static_cast<unsigned>(ReducedScale(info, width, height));
    info.scale_denom = 8;
    if (info.scale_num == 0)
        return false;
    info.out_color_space = JCS_EXT_BGR;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    jpeg_start_decompress(&info);
    if (!decoded.CreateForOverwrite(
            static_cast<int>(info.output_width), static_cast<int>(info.output_height), 24))
        return false;
    rows.resize(info.output_height);
    for (JDIMENSION r = 0; r < info.output_height; ++r)
        rows[r] = decoded.GetPixelAddress(0, static_cast<int>(r));
    while (info.output_scanline < info.output_height)
        jpeg_read_scanlines(
            &info, rows.data() + info.output_scanline, info.output_height - info.output_scanline);
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

std::optional<Status> DecodePdfPageImage(const PdfPageImage& picture, SheetImage& image)
{
    // The size the page's rendering at 100 dpi has.
    const double width = std::round(picture.pageWidthPoints * kPageDpi / kPointsPerInch);
    const double height = std::round(picture.pageHeightPoints * kPageDpi / kPointsPerInch);
    if (picture.filter != "DCTDecode" || picture.bitsPerComponent != 8 || width < 1 || height < 1
        || width * height > static_cast<double>(SheetImage::kMaxPixels)
        || static_cast<int64_t>(picture.width) * picture.height > SheetImage::kMaxPixels
        || !CouldHoldPixels(
            ImageType::Jpeg, picture.width, picture.height, static_cast<int64_t>(picture.data.size())))
        return std::nullopt;
    ErrorTrap trap {};
    jpeg_decompress_struct info {};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = StopOnError;
    trap.manager.emit_message = StopOnWarning;
    jpeg_create_decompress(&info);
    SheetImage decoded;
    std::vector<JSAMPROW> rows;
    const bool read
        = Decode(info, trap, picture, static_cast<int>(width), static_cast<int>(height), decoded, rows);
    jpeg_destroy_decompress(&info);
    if (!read)
        return std::nullopt;
    SheetImage page;
    if (decoded.GetWidth() == width && decoded.GetHeight() == height) {
        page = std::move(decoded);
        page.SetDotsPerInch(kPageDpi);
    } else if (Status averaged
               = AverageToSize(decoded, static_cast<int>(width), static_cast<int>(height), page);
               !averaged) {
        return averaged;
    }
    image = std::move(page);
    return Status {};
}

std::optional<Status> ReadScannedPdfPage(const std::string& path, int index, SheetImage& image)
{
    const MappedFile file(path);
    const std::optional<PdfPageImage> picture = FindPageImage(file.Bytes(), index);
    if (!picture)
        return std::nullopt;
    return DecodePdfPageImage(*picture, image);
}
