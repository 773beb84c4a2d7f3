#include "image/jpeg_stream_end.h"

#include <cstring>

namespace {

// Whether a scan marker (0xFF, then 0xDA) starts in the first `size` bytes.
bool HasScanMarker(const uint8_t* data, size_t size)
{
    for (size_t from = 0; from + 1 < size;) {
        const void* found = std::memchr(data + from, 0xFF, size - 1 - from);
        if (!found)
            return false;
        const size_t marker = static_cast<size_t>(static_cast<const uint8_t*>(found) - data);
        if (data[marker + 1] == 0xDA)
            return true;
        from = marker + 1;
    }
    return false;
}

} // namespace

// The last scan or end marker must be an end
// marker, and a scan marker must come somewhere before it. A whole file usually ends
// in its end marker, so this rarely reads more than a few bytes at each end.
bool IsJpegStreamComplete(const uint8_t* data, size_t size)
{
    for (size_t limit = size; limit >= 2;) {
        const void* found = memrchr(data, 0xFF, limit - 1);
        if (!found)
            return false;
        const size_t marker = static_cast<size_t>(static_cast<const uint8_t*>(found) - data);
        if (data[marker + 1] == 0xDA)
            return false;
        if (data[marker + 1] == 0xD9)
            return HasScanMarker(data, marker);
        limit = marker + 1;
    }
    return false;
}
