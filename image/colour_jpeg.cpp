#include "image/colour_jpeg.h"

#include "framework/teacher_text.h"
#include "image/compression_bound.h"
#include "image/jpeg_stream_end.h"
#include "image/sheet_image.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports an error by calling error_exit, which must not return: it jumps
// back to the setjmp of the step that was running. Warnings (a bad code, data
// ending before the picture) jump too, so that the rest is never filled with grey.
struct ErrorTrap {
    jpeg_error_mgr manager; // first: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void StopOnError(j_common_ptr info)
{
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

void StopOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        StopOnError(info);
}

// The two steps that call into libjpeg. Their frames hold nothing with a
// destructor, which a jump back would skip.
bool ReadHeader(jpeg_decompress_struct& info, ErrorTrap& trap, const uint8_t* data, size_t size)
{
    if (setjmp(trap.jump))
        return false;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    return true;
}

// Decodes rows first to end - 1 (top-down) into rows[], skipping the others:
// skipped rows above still pass through the entropy decoder, and so do those
// below but the last, so damaged data anywhere stops the decode as a whole one would.
bool DecodeRows(jpeg_decompress_struct& info, ErrorTrap& trap, J_COLOR_SPACE out, JSAMPROW* rows, int first,
    int end, JSAMPROW scratch)
{
    if (setjmp(trap.jump))
        return false;
    // Blue, green, red (or grey), as a sheet image keeps them; the accurate DCT and
    // smooth upsampling, as Qt's reader decodes.
    info.out_color_space = out;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    jpeg_start_decompress(&info);
    const auto height = static_cast<JDIMENSION>(info.output_height);
    if (first > 0)
        jpeg_skip_scanlines(&info, static_cast<JDIMENSION>(first));
    while (info.output_scanline < static_cast<JDIMENSION>(end))
        jpeg_read_scanlines(
            &info, rows + info.output_scanline, static_cast<JDIMENSION>(end) - info.output_scanline);
    if (info.output_scanline < height) {
        // Skipping to the very end would not decode the data at all.
        if (height - info.output_scanline > 1)
            jpeg_skip_scanlines(&info, height - info.output_scanline - 1);
        jpeg_read_scanlines(&info, &scratch, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

class Decompressor {
public:
    Decompressor()
    {
        m_info.err = jpeg_std_error(&m_trap.manager);
        m_trap.manager.error_exit = StopOnError;
        m_trap.manager.emit_message = StopOnWarning;
        jpeg_create_decompress(&m_info);
    }
    ~Decompressor() { jpeg_destroy_decompress(&m_info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct& Info() { return m_info; }
    ErrorTrap& Trap() { return m_trap; }

private:
    ErrorTrap m_trap {};
    jpeg_decompress_struct m_info {};
};

// Grey ramp and resolution as Qt's reader gives a grey JPEG: its JFIF density in dots
// per inch or per centimetre, kept as whole dots per metre; when it gives none, Qt's
// default with no screen, 100 dpi (a process with a screen gets the screen's instead).
void AsQtGivesGrey(const jpeg_decompress_struct& info, SheetImage& image)
{
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<uint8_t>(i);
        const RgbQuad entry { level, level, level, 0 };
        image.SetColorTable(i, 1, &entry);
    }
    const double dotsPerMetre = info.density_unit == 1 ? static_cast<int>(100.0 * info.X_density / 2.54)
        : info.density_unit == 2                       ? static_cast<int>(100.0 * info.X_density)
                                                       : std::round(100 * 100 / 2.54);
    image.SetDotsPerInch(static_cast<int>(std::lround(dotsPerMetre * 0.0254)));
}

// Decodes the JPEG whose header `info` holds in the colour space asked for.
Status DecodeInto(Decompressor& decompressor, const uint8_t* data, size_t size, bool grey, SheetImage& image,
    NeededRows needed)
{
    jpeg_decompress_struct& info = decompressor.Info();
    const auto width = static_cast<int>(info.image_width);
    const auto height = static_cast<int>(info.image_height);

    const int64_t pixels = static_cast<int64_t>(width) * height;
    if (pixels > SheetImage::kMaxPixels)
        return Status::Failure(TooManyPixels(pixels));
    if (!IsJpegStreamComplete(data, size))
        return CorruptImage(FillIn(TeacherText("SheetImage", "ข้อมูล %1 ขาดหายไปบางส่วน"), { "JPEG" }));
    if (!CouldHoldPixels(ImageType::Jpeg, width, height, static_cast<int64_t>(size)))
        return CorruptImage("JPEG: " + std::to_string(size) + " bytes cannot hold " + std::to_string(width)
            + " x " + std::to_string(height) + " pixels");

    SheetImage decoded;
    if (Status created = decoded.CreateForOverwrite(width, height, grey ? 8 : 24); !created)
        return created;
    const int first = std::clamp(needed.first, 0, height);
    const int end = std::clamp(needed.end, first, height);
    std::vector<JSAMPROW> rows(static_cast<size_t>(height));
    for (int r = 0; r < height; ++r) {
        rows[static_cast<size_t>(r)] = decoded.GetPixelAddress(0, r);
        if (r < first || r >= end)
            std::memset(rows[static_cast<size_t>(r)], 255, static_cast<size_t>(width) * (grey ? 1 : 3));
    }
    std::vector<JSAMPLE> scratch(static_cast<size_t>(width) * 3);
    if (!DecodeRows(info, decompressor.Trap(), grey ? JCS_GRAYSCALE : JCS_EXT_BGR, rows.data(), first, end,
            scratch.data()))
        return CorruptImage(std::string("JPEG: ") + decompressor.Trap().message);
    if (grey)
        AsQtGivesGrey(info, decoded);
    image = std::move(decoded);
    return Status {};
}

} // namespace

std::optional<Status> DecodeColourJpeg(const uint8_t* data, size_t size, SheetImage& image, NeededRows needed)
{
    Decompressor decompressor;
    jpeg_decompress_struct& info = decompressor.Info();
    if (!ReadHeader(info, decompressor.Trap(), data, size))
        return std::nullopt;
    if (info.jpeg_color_space != JCS_YCbCr && info.jpeg_color_space != JCS_RGB)
        return std::nullopt;
    return DecodeInto(decompressor, data, size, false, image, needed);
}

std::optional<Status> DecodeJpeg(const uint8_t* data, size_t size, SheetImage& image, NeededRows needed)
{
    Decompressor decompressor;
    jpeg_decompress_struct& info = decompressor.Info();
    if (!ReadHeader(info, decompressor.Trap(), data, size))
        return std::nullopt;
    if (info.jpeg_color_space == JCS_GRAYSCALE)
        return DecodeInto(decompressor, data, size, true, image, {});
    if (info.jpeg_color_space != JCS_YCbCr && info.jpeg_color_space != JCS_RGB)
        return std::nullopt;
    return DecodeInto(decompressor, data, size, false, image, needed);
}
