#pragma once

#include "image/rgb_picture.h"
#include "omr/grading_grid.h"
#include "omr/sheet_review.h"

#include <QImage>

#include <string>
#include <vector>

class SheetImage;

// One picture of a doubtful sheet for a person to look at: each doubtful question
// row and ID column (and the mark windows when a mark is in doubt) cut from the
// scan as it came in, at three times its size, with what both readings made of it
// written beside. Returns why it could not be saved; empty when it was.
std::string SaveReviewImage(
    SheetImage& scan, const GradingGrid& grid, const SheetReview& review, const std::string& path);

// The item's row ("q12") or ID column ("id:3"), or the ID bands for "id", cut from a
// 24-bit scan as it came in, `zoom` times its size; null for an item with no place.
QImage CutReviewItem(const SheetImage& scan, const GradingGrid& grid, const std::string& item, int zoom);

struct SheetPage;
struct GradedSheet;

// The ID bands cut from the scan of a sheet read from the class record, as it came in,
// for its slip; null when the sheet was never read or its scan is gone or has changed
// since (a slip must not show another sheet's ID).
RgbPicture CutRecordedIdArea(const GradedSheet& sheet);

// Where each page's review picture goes, DIR/<sheet name>-review.png (-pN for a page
// of a copier file) in input order; empty paths when no pictures are asked for.
std::vector<std::string> ReviewImagePaths(const std::vector<SheetPage>& pages, const std::string& directory);
