#pragma once

#include "framework/status.h"

#include <QImage>

#include <string>

// Whether the file starts as a PDF does, whatever its name.
bool IsPdfFile(const std::string& path);

// The number of pages of a PDF; a PDF locked by a password or without pages is
// refused with a message for the teacher.
Result<int> CountPdfPages(const std::string& path);

// Renders page `index` (from 0) at 100 dpi on white paper, as 32-bit RGB: what a
// 100-dpi scanner would have made of it. Pages over 100 megapixels are refused.
// Runs in this process, unbounded: image/pdf_page_process.h bounds it.
Result<QImage> RenderPdfPageHere(const std::string& path, int index);
