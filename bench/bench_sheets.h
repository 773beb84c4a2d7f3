#pragma once

// What the benchmarks share: the folder of sheets they work on, the bare TurboJPEG
// decode that serves as their baseline, and a clock that leaves out the time other
// processes take from this thread.

#include "image/sheet_image.h"

#include <turbojpeg.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The *.jpg files of the folder named by --sheets=DIR, or the option given
// (removed from the arguments), sorted; empty, with a message, when there is none.
inline std::vector<std::string> TakeSheetPaths(
    int& argc, char** argv, const std::string& option = "--sheets=")
{
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option.c_str(), option.size()) == 0) {
            folder = argv[i] + option.size();
            std::copy(argv + i + 1, argv + argc, argv + i);
            --argc;
            break;
        }
    }
    std::vector<std::string> paths;
    std::error_code error;
    if (!folder.empty())
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            if (entry.path().extension() == ".jpg")
                paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    if (paths.empty())
        std::fprintf(stderr,
            "give a folder of JPEG sheets (and its key.txt) with %sDIR; "
            "bench/throughput.sh and bench/copier.sh make one\n",
            option.c_str());
    return paths;
}

inline std::string KeyPathBeside(const std::string& sheetPath)
{
    return (std::filesystem::path(sheetPath).parent_path() / "key.txt").string();
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<std::streamoff>(in.tellg(), 0)));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// CPU time of the calling thread, in seconds.
inline double ThreadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// libjpeg-turbo on its own: JPEG bytes to bottom-up blue, green, red rows, the
// layout a sheet image keeps, into a buffer reused from call to call.
class BareJpegDecoder {
public:
    BareJpegDecoder()
        : m_handle(tjInitDecompress())
    {
    }
    ~BareJpegDecoder() { tjDestroy(m_handle); }
    BareJpegDecoder(const BareJpegDecoder&) = delete;
    BareJpegDecoder& operator=(const BareJpegDecoder&) = delete;

    bool Decode(const std::vector<uint8_t>& jpeg)
    {
        int width = 0, height = 0, subsampling = 0, colorspace = 0;
        if (tjDecompressHeader3(
                m_handle, jpeg.data(), jpeg.size(), &width, &height, &subsampling, &colorspace)
            != 0)
            return false;
        const int pitch = (width * 3 + 3) & ~3;
        m_pixels.resize(static_cast<size_t>(pitch) * static_cast<size_t>(height));
        return tjDecompress2(m_handle, jpeg.data(), jpeg.size(), m_pixels.data(), width, pitch, height,
                   TJPF_BGR, TJFLAG_BOTTOMUP)
            == 0;
    }

private:
    tjhandle m_handle;
    std::vector<uint8_t> m_pixels;
};

// Gives `to` the size, depth and pixels of `from`.
inline void CopySheet(const SheetImage& from, SheetImage& to)
{
    if (to.GetWidth() != from.GetWidth() || to.GetHeight() != from.GetHeight()
        || to.GetBitsPerPixel() != from.GetBitsPerPixel())
        to.Create(from.GetWidth(), from.GetHeight(), from.GetBitsPerPixel());
    // Rows lie bottom-up: the bottom row starts the memory.
    const size_t bytes = static_cast<size_t>(-from.GetPitch()) * static_cast<size_t>(from.GetHeight());
    std::memcpy(
        to.GetPixelAddress(0, to.GetHeight() - 1), from.GetPixelAddress(0, from.GetHeight() - 1), bytes);
}
