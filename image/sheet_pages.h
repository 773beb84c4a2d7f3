#pragma once

#include "framework/status.h"
#include "image/sheet_image.h"

#include <string>

// A scan file is a sequence of sheets: a copier delivers a whole class as one PDF
// or multi-page TIFF. Any other image holds one sheet.

// The number of sheets in the file; a file that cannot be opened or a PDF that
// cannot be read is refused with its reason.
Result<int> CountSheetPages(const std::string& path);

// How a sheet is named in every output: "FILE#N" for page N (from 1) of a file of
// several pages, the file's own name when it holds one.
std::string PageName(const std::string& file, int page, int pageCount);

// Loads page `page` (from 0) and brings it to the page the engine reads
// (image/page_normalise.h): the one step between loading and the engine that both
// programs take. Failures name the page. Only the needed rows of the page read are
// decoded when that saves time (a page brought to 100 dpi is decoded whole).
Result<DecodeWarnings> LoadSheetPage(
    SheetImage& image, const std::string& path, int page, int pageCount, NeededRows needed = {});
