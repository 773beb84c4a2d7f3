#pragma once

#include "answerkey/answer_key.h"
#include "framework/status.h"
#include "image/default_init_allocator.h"
#include "image/image_type.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// The engine's verdict on a sheet, defined in omr/sheet_check.h: only named here,
// so the image does not include the engine that includes the image.
enum class SheetCheck;
struct EngineState;
struct GradingGrid;
struct IdBandLayout;

struct RgbQuad {
    uint8_t rgbBlue = 0;
    uint8_t rgbGreen = 0;
    uint8_t rgbRed = 0;
    uint8_t rgbReserved = 0;
};

// A colour as 0x00BBGGRR.
using ColorRef = uint32_t;

// What a decoder said of a file it still read (a TIFF's unknown tags).
using DecodeWarnings = std::vector<std::string>;

// Data a decoder finds damaged or missing: the sheet is refused, never filled out with grey.
inline Status CorruptImage(const std::string& why)
{
    return Status::Failure("ข้อมูลภาพเสียหาย: " + why);
}

// Why an image of `pixels` pixels is refused, in the teacher's language.
std::string TooManyPixels(int64_t pixels);

// The rows of a page (top-down, first to end - 1) a load must decode. A colour JPEG
// then leaves the others white, which saves most of their decoding; other files
// are decoded whole.
struct NeededRows {
    int first = 0;
    int end = std::numeric_limits<int>::max();

    bool IsWhole() const { return first <= 0 && end == std::numeric_limits<int>::max(); }
};

// One scanned sheet in memory: rows bottom-up, each padded to 4 bytes, so the
// pitch (byte distance from a row to the row below it) is negative.
class SheetImage {
public:
    // Scans over this many pixels are refused on loading.
    static constexpr int64_t kMaxPixels = 100'000'000;

    SheetImage() = default;
    virtual ~SheetImage() = default;
    SheetImage(const SheetImage&) = delete;
    SheetImage& operator=(const SheetImage&) = delete;
    SheetImage(SheetImage&&) = default;
    SheetImage& operator=(SheetImage&&) = default;

    // Allocates width x height pixels at depth 1, 4, 8, 16, 24 or 32, all bytes
    // zero; a colour table of 2, 16 or 256 zero entries for depths up to 8.
    Status Create(int width, int height, int depth, bool hasAlpha = false);
    // Create for a decoder that writes every pixel: the pixel bytes are left
    // undefined instead of zeroed (the padding at each row's end is zeroed).
    Status CreateForOverwrite(int width, int height, int depth);

    // Decodes the file with its pixels as stored (no auto-rotation, no colour
    // management). Path is UTF-8.
    Result<DecodeWarnings> LoadFromFile(const std::string& path);
    // Loads page `page` (from 0) of a file of several pages: a PDF's page at 100
    // dpi (a scanned page from its picture, any other rendered), a TIFF's image; any other file has page 0
    // only. A TIFF page's `directory` (image/tiff_pages.h), when known, is read without walking to it.
    Result<DecodeWarnings> LoadPage(
        const std::string& path, int page, NeededRows needed = {}, int64_t directory = 0);
    // Encodes by the path's extension (jpg, gif, tif, png, bmp, any case); written
    // through a temporary file so a failure leaves an existing file intact.
    Status SaveToFile(const std::string& path) const;

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitsPerPixel() const { return m_depth; }
    int GetPitch() const { return m_pitch; }
    bool HasAlphaChannel() const { return m_hasAlpha; }
    // The resolution the file gave, dots per inch; 0 when it gave none.
    int GetDotsPerInch() const { return m_dotsPerInch; }
    void SetDotsPerInch(int dotsPerInch) { m_dotsPerInch = dotsPerInch; }
    bool IsEmpty() const { return m_pixels.empty(); }

    // Address of the top row.
    uint8_t* GetBits() { return m_bits; }
    const uint8_t* GetBits() const { return m_bits; }

    // bits + y * pitch + (x * depth) / 8; no bounds check, callers stay inside.
    uint8_t* GetPixelAddress(int x, int y)
    {
        return m_bits + static_cast<std::ptrdiff_t>(y) * m_pitch
            + (static_cast<std::ptrdiff_t>(x) * m_depth) / 8;
    }
    const uint8_t* GetPixelAddress(int x, int y) const
    {
        return m_bits + static_cast<std::ptrdiff_t>(y) * m_pitch
            + (static_cast<std::ptrdiff_t>(x) * m_depth) / 8;
    }

    // Stores the colour exactly at depth 24 and 32; outside the image changes nothing.
    void SetPixel(int x, int y, ColorRef color);

    int GetColorTableSize() const { return static_cast<int>(m_colorTable.size()); }
    // Copies entries out of / into the colour table; entries beyond it are skipped.
    void GetColorTable(int first, int count, RgbQuad* destination) const;
    void SetColorTable(int first, int count, const RgbQuad* source);

    // Converts a 1-, 4-, 8- or 16-bit image to 24 bits in place (through the
    // colour table, or from its 16-bit 5-6-5 pixels); other depths stay.
    void ConvertTo24Bits();

    // Appends file-dialog filter text for the readable image types.
    static Status BuildImageFilter(std::string& filter, std::vector<ImageType>& types,
        const char* firstDescription, uint32_t excludeMask, char separator);

    // --- Recognition engine (omr/): each operation works on the caller's engine state ---

    // Turns a true-colour scan into pure black and white at grey level 140.
    SheetCheck PrepareSheet(EngineState& engine);
    // Finds the two registration marks and the skew; fills engine.g_skew.
    SheetCheck MeasureSkew(EngineState& engine, int showAngle);
    // Lays the grid for the measured skew and grades the sheet on it: refused, with
    // a message, when a read of the ID or the grid would leave the image.
    SheetCheck GradeSheet(EngineState& engine, const AnswerList& answers, int32_t questionCount);
    // Reads the ID, then checks and scores all 100 question rows against the key, on
    // a grid that lies inside the image (omr/grading_grid.h).
    void GradeOnGrid(
        EngineState& engine, const GradingGrid& grid, const AnswerList& answers, int32_t questionCount);
    void CheckQuestionRow(EngineState& engine, float rowTop, float rowBottom, float rowLeft, float rowRight);
    void GradeQuestion(EngineState& engine, const std::string& answer, float rowTop, float rowBottom,
        float rowLeft, float rowRight, int32_t questionNumber);
    void ScoreAnswerBox(EngineState& engine, float boxTop, float boxBottom, float boxLeft, float boxRight,
        int32_t questionNumber);
    void ReadExamineeId(EngineState& engine, const IdBandLayout& bands);
    void ReadIdDigit(EngineState& engine, float bandTop, float bandLeft, int digitIndex);

private:
    Status Allocate(int width, int height, int depth, bool hasAlpha, bool zeroed);

    std::vector<uint8_t, DefaultInitAllocator<uint8_t>> m_pixels;
    std::vector<RgbQuad> m_colorTable;
    uint8_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_pitch = 0;
    int m_depth = 0;
    bool m_hasAlpha = false;
    int m_dotsPerInch = 0;
};
