#pragma once

#include "framework/status.h"
#include "image/page_name.h"
#include "image/sheet_image.h"

#include <cstdint>
#include <string>
#include <vector>

// A scan file is a sequence of sheets: a copier delivers a whole class as one PDF
// or multi-page TIFF. Any other image holds one sheet.

// The pages of a scan file as its own structure promises them.
struct FilePages {
    int readable = 1; // pages that can be loaded, from the first
    std::vector<int64_t> directories; // a TIFF's page directories (image/tiff_pages.h), one a readable page
    std::string unreadable; // why the pages from `readable` on cannot be read; empty: there are none
};

// The pages of the file; a file that cannot be opened or a PDF that cannot be read
// is refused with its reason.
Result<FilePages> ListFilePages(const std::string& path);

// The number of sheets the file promises: the readable pages, and one more standing
// for the pages from the first unreadable one on.
Result<int> CountSheetPages(const std::string& path);

// Loads page `page` (from 0) and brings it to the page the engine reads
// (image/page_normalise.h): the one step between loading and the engine that both
// programs take. Failures name the page. Only the needed rows of the page read are
// decoded when that saves time (a page brought to 100 dpi is decoded whole).
// `directory`, where a TIFF page's directory starts when known, saves walking the
// file's chain to it.
Result<DecodeWarnings> LoadSheetPage(SheetImage& image, const std::string& path, int page, int pageCount,
    NeededRows needed = {}, int64_t directory = 0);
