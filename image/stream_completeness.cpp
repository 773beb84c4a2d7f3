#include "image/stream_completeness.h"

#include "image/bmp_header.h"

#include <QIODevice>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Sequential reads that fail instead of running past the end.
class ByteReader {
public:
    explicit ByteReader(QIODevice& device)
        : m_device(device)
    {
        m_device.seek(0);
    }

    bool Read(uint8_t* destination, qint64 count)
    {
        return m_device.read(reinterpret_cast<char*>(destination), count) == count;
    }
    bool Skip(qint64 count) { return m_device.skip(count) == count; }

private:
    QIODevice& m_device;
};

// The last scan (SOS marker) must be followed by the end-of-image marker. A 0xFF
// byte inside entropy-coded data is always stuffed, so neither marker occurs there.
// Fed in pieces; hops from one 0xFF byte to the next.
class JpegEndTracker {
public:
    void Feed(const uint8_t* data, size_t size)
    {
        const uint8_t* end = data + size;
        while (data < end) {
            if (m_afterMarkerByte) {
                if (*data == 0xDA) {
                    m_sawScan = true;
                    m_endAfterScan = false;
                } else if (*data == 0xD9) {
                    m_endAfterScan = true;
                }
                m_afterMarkerByte = *data == 0xFF;
                ++data;
                continue;
            }
            const void* marker = std::memchr(data, 0xFF, static_cast<size_t>(end - data));
            if (!marker)
                return;
            data = static_cast<const uint8_t*>(marker) + 1;
            m_afterMarkerByte = true;
        }
    }

    bool IsComplete() const { return m_sawScan && m_endAfterScan; }

private:
    bool m_afterMarkerByte = false;
    bool m_sawScan = false;
    bool m_endAfterScan = false;
};

bool IsJpegComplete(QIODevice& device)
{
    device.seek(0);
    JpegEndTracker tracker;
    std::array<char, 65536> chunk;
    qint64 count;
    while ((count = device.read(chunk.data(), chunk.size())) > 0)
        tracker.Feed(reinterpret_cast<const uint8_t*>(chunk.data()), static_cast<size_t>(count));
    return tracker.IsComplete();
}

// Uncompressed bitmaps must hold every row the header announces.
bool IsBmpComplete(QIODevice& device)
{
    const std::optional<BmpHeader> header = ReadBmpHeader(device);
    // Run-length data has no fixed size; a header cut short the decoder refuses.
    if (!header || !header->IsUncompressed())
        return true;
    return device.size() >= header->EndOfRows();
}

bool SkipSubBlocks(ByteReader& reader)
{
    for (;;) {
        uint8_t length;
        if (!reader.Read(&length, 1))
            return false;
        if (length == 0)
            return true;
        if (!reader.Skip(length))
            return false;
    }
}

qint64 ColorTableBytes(uint8_t flags)
{
    return (flags & 0x80) ? 3 * (qint64 { 2 } << (flags & 0x07)) : 0;
}

// The first picture, the one that is decoded, must be there to its last data block.
bool IsGifComplete(QIODevice& device)
{
    ByteReader reader(device);
    std::array<uint8_t, 13> screen;
    if (!reader.Read(screen.data(), screen.size()) || !reader.Skip(ColorTableBytes(screen[10])))
        return false;
    for (;;) {
        uint8_t introducer;
        if (!reader.Read(&introducer, 1))
            return false;
        if (introducer == 0x21) { // extension: label, then data blocks
            if (!reader.Skip(1) || !SkipSubBlocks(reader))
                return false;
        } else if (introducer == 0x2C) { // picture: descriptor, colours, code size, data blocks
            std::array<uint8_t, 9> descriptor;
            return reader.Read(descriptor.data(), descriptor.size())
                && reader.Skip(ColorTableBytes(descriptor[8]) + 1) && SkipSubBlocks(reader);
        } else {
            return true; // trailer or a broken block: the decoder decides
        }
    }
}

} // namespace

bool IsStreamComplete(QIODevice& device, const std::string& qtFormat)
{
    if (qtFormat == "jpeg")
        return IsJpegComplete(device);
    if (qtFormat == "bmp")
        return IsBmpComplete(device);
    if (qtFormat == "gif")
        return IsGifComplete(device);
    return true;
}
