#pragma once

#include "framework/status.h"
#include "image/pdf_page_image.h"

#include <optional>
#include <string>

class SheetImage;

// A scanned PDF page read from its picture (image/pdf_page_image.h) as a 100-dpi
// page of the size the page's rendering has: a JPEG is decoded by libjpeg at the
// smallest of its reduced scales (n/8) that is still at least 100 dpi, then
// averaged down to it as a copier's scan is (image/page_normalise.h).
// Nothing, and the image left alone, when the page is not one JPEG picture or its
// picture cannot be decoded: the page is then rendered as any other.
std::optional<Status> ReadScannedPdfPage(const std::string& path, int index, SheetImage& image);

// The same, from the picture found in a file already in memory.
std::optional<Status> DecodePdfPageImage(const PdfPageImage& picture, SheetImage& image);
