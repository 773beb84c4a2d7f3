#include "image/bmp_header.h"

#include <QIODevice>

#include <array>
#include <cstdlib>

namespace {

uint32_t LittleEndian(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

constexpr int kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12; // the old OS/2 header with 16-bit sizes
constexpr int kInfoHeaderBytesUsed = 20;

} // namespace

bool BmpHeader::IsUncompressed() const
{
    constexpr int64_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    return compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
}

int64_t BmpHeader::EndOfRows() const
{
    const int64_t stride = ((std::llabs(width) * bitsPerPixel + 31) / 32) * 4;
    return static_cast<int64_t>(dataOffset) + stride * std::llabs(height);
}

std::optional<BmpHeader> ReadBmpHeader(QIODevice& device)
{
    std::array<uint8_t, kFileHeaderBytes + kInfoHeaderBytesUsed> bytes {};
    device.seek(0);
    const qint64 count = device.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    if (count < kFileHeaderBytes + 4 || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    BmpHeader header;
    header.dataOffset = LittleEndian(&bytes[10], 4);
    const uint8_t* info = &bytes[kFileHeaderBytes];
    if (LittleEndian(info, 4) == kCoreHeaderBytes) {
        if (count < kFileHeaderBytes + 12)
            return std::nullopt;
        header.width = LittleEndian(info + 4, 2);
        header.height = LittleEndian(info + 6, 2);
        header.bitsPerPixel = LittleEndian(info + 10, 2);
        return header;
    }
    if (count < kFileHeaderBytes + kInfoHeaderBytesUsed)
        return std::nullopt;
    header.width = static_cast<int32_t>(LittleEndian(info + 4, 4));
    header.height = static_cast<int32_t>(LittleEndian(info + 8, 4));
    header.bitsPerPixel = LittleEndian(info + 14, 2);
    header.compression = LittleEndian(info + 16, 4);
    return header;
}
