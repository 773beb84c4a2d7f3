#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// A scanned PDF page is one picture drawn over the whole page. Such a page is read
// from its picture, as the copier stored it, instead of being rendered.

struct PdfPageImage {
    std::string filter; // DCTDecode, FlateDecode or CCITTFaxDecode
    int width = 0; // pixels, as the image dictionary gives them
    int height = 0;
    int components = 0; // 1 grey, 3 RGB
    int bitsPerComponent = 0;
    double pageWidthPoints = 0; // the page, 1/72 inch
    double pageHeightPoints = 0;
    std::span<const uint8_t> data; // the stream as stored, within the file's bytes
};

// The picture of page `index` (from 0) when the page is exactly one image, upright,
// in grey or RGB, filling the page (its content a single "cm" and "Do", perhaps
// inside "q" and "Q"); nothing for any other page, and for a file this reader
// cannot follow.
std::optional<PdfPageImage> FindPageImage(std::span<const uint8_t> pdf, int index);
