#include "image/colour_jpeg.h"

#include "image/compression_bound.h"
#include "image/sheet_image.h"
#include "image/stream_completeness.h"

#include <turbojpeg.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

// Decompressors are made once and shared: a decode borrows one and gives it back,
// so sheets decoded side by side never share one. libjpeg-turbo can leave one
// unusable after a failed call (a header cut short), so a failure discards it.
class DecompressorPool {
public:
    ~DecompressorPool()
    {
        for (tjhandle handle : m_idle)
            tjDestroy(handle);
    }

    tjhandle Take()
    {
        {
            const std::lock_guard lock(m_mutex);
            if (!m_idle.empty()) {
                const tjhandle handle = m_idle.back();
                m_idle.pop_back();
                return handle;
            }
        }
        return tjInitDecompress();
    }

    void Give(tjhandle handle)
    {
        const std::lock_guard lock(m_mutex);
        m_idle.push_back(handle);
    }

private:
    std::mutex m_mutex;
    std::vector<tjhandle> m_idle;
};

DecompressorPool g_decompressors;

// One decode's decompressor: back to the pool at the end, unless discarded.
class BorrowedDecompressor {
public:
    BorrowedDecompressor()
        : m_handle(g_decompressors.Take())
    {
    }
    ~BorrowedDecompressor()
    {
        if (m_handle)
            g_decompressors.Give(m_handle);
    }
    BorrowedDecompressor(const BorrowedDecompressor&) = delete;
    BorrowedDecompressor& operator=(const BorrowedDecompressor&) = delete;

    tjhandle Handle() const { return m_handle; }
    void Discard()
    {
        tjDestroy(m_handle);
        m_handle = nullptr;
    }

private:
    tjhandle m_handle;
};

} // namespace

std::optional<Status> DecodeColourJpeg(const uint8_t* data, size_t size, SheetImage& image)
{
    BorrowedDecompressor decompressor;
    const tjhandle handle = decompressor.Handle();
    if (!handle)
        return std::nullopt;
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(
            handle, data, static_cast<unsigned long>(size), &width, &height, &subsampling, &colorspace)
        != 0) {
        decompressor.Discard();
        return std::nullopt;
    }
    if (colorspace != TJCS_YCbCr && colorspace != TJCS_RGB)
        return std::nullopt;

    const int64_t pixels = static_cast<int64_t>(width) * height;
    if (pixels > SheetImage::kMaxPixels)
        return Status::Failure(std::to_string(pixels) + " pixels are more than 100 megapixels");
    if (!IsJpegStreamComplete(data, size))
        return CorruptImage("JPEG data is truncated");
    if (!CouldHoldPixels(ImageType::Jpeg, width, height, static_cast<int64_t>(size)))
        return CorruptImage("JPEG: " + std::to_string(size) + " bytes cannot hold " + std::to_string(width)
            + " x " + std::to_string(height) + " pixels");

    SheetImage decoded;
    if (Status created = decoded.CreateForOverwrite(width, height, 24); !created)
        return created;
    // Bottom-up: the bottom row starts the memory. A warning (a bad code, data
    // ending before the picture) stops the decode: the rest would be grey.
    uint8_t* bottomRow = decoded.GetPixelAddress(0, height - 1);
    if (tjDecompress2(handle, data, static_cast<unsigned long>(size), bottomRow, width, -decoded.GetPitch(),
            height, TJPF_BGR, TJFLAG_BOTTOMUP | TJFLAG_STOPONWARNING)
        != 0) {
        const std::string why = tjGetErrorStr2(handle);
        decompressor.Discard();
        return CorruptImage("JPEG: " + why);
    }
    image = std::move(decoded);
    return Status {};
}
