#include "image/sheet_image.h"

#include "framework/teacher_text.h"

#include <cstring>
#include <new>

namespace {

bool IsSupportedDepth(int depth)
{
    return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

} // namespace

Status SheetImage::Create(int width, int height, int depth, bool hasAlpha)
{
    return Allocate(width, height, depth, hasAlpha, true);
}

Status SheetImage::CreateForOverwrite(int width, int height, int depth)
{
    return Allocate(width, height, depth, false, false);
}

Status SheetImage::Allocate(int width, int height, int depth, bool hasAlpha, bool zeroed)
{
    if (width <= 0 || height <= 0 || !IsSupportedDepth(depth))
        return Status::Failure("unsupported image size or depth");
    if (static_cast<int64_t>(width) * height > kMaxPixels)
        return Status::Failure("image is larger than 100 megapixels");
    const int64_t stride = ((static_cast<int64_t>(width) * depth + 31) / 32) * 4;
    const auto bytes = static_cast<size_t>(stride * height);
    try {
        if (zeroed) {
            m_pixels.assign(bytes, 0);
        } else {
            m_pixels.clear();
            m_pixels.resize(bytes);
        }
        m_colorTable.assign(depth <= 8 ? (size_t { 1 } << depth) : 0, RgbQuad {});
    } catch (const std::bad_alloc&) {
        *this = SheetImage();
        return Status::Failure("not enough memory for the image");
    }
    m_width = width;
    m_height = height;
    m_depth = depth;
    m_pitch = -static_cast<int>(stride);
    m_hasAlpha = hasAlpha && depth == 32;
    m_dotsPerInch = 0;
    // Bottom-up: the top row is the last row in memory.
    m_bits = m_pixels.data() + stride * (height - 1);
    if (!zeroed) {
        // The padding at the end of each row (at most 3 bytes), which no decoder
        // writes: the last 4 bytes of every row are zeroed, and the decoder then
        // overwrites those of them that belong to pixels.
        for (int64_t row = 1; row <= height; ++row)
            std::memset(m_pixels.data() + row * stride - 4, 0, 4);
    }
    return {};
}

void SheetImage::SetPixel(int x, int y, ColorRef color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_depth < 24)
        return;
    uint8_t* p = GetPixelAddress(x, y);
    p[0] = static_cast<uint8_t>(color >> 16); // blue
    p[1] = static_cast<uint8_t>(color >> 8); // green
    p[2] = static_cast<uint8_t>(color); // red
}

void SheetImage::GetColorTable(int first, int count, RgbQuad* destination) const
{
    const int size = GetColorTableSize();
    for (int i = 0; i < count && first + i < size; ++i)
        if (first + i >= 0)
            destination[i] = m_colorTable[static_cast<size_t>(first + i)];
}

void SheetImage::SetColorTable(int first, int count, const RgbQuad* source)
{
    const int size = GetColorTableSize();
    for (int i = 0; i < count && first + i < size; ++i)
        if (first + i >= 0)
            m_colorTable[static_cast<size_t>(first + i)] = source[i];
}

std::string TooManyPixels(int64_t pixels)
{
    return FillIn(TeacherText("SheetImage", "ภาพมี %1 จุด เกิน 100 ล้านจุด"), { std::to_string(pixels) });
}
