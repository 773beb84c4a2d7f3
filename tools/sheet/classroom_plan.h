#pragma once

#include "page_handling.h"
#include "sheet_content.h"
#include "sheet_random.h"
#include "sheet_truth.h"

#include <optional>
#include <vector>

// The problems a classroom's own sheets bring, asked for on the command line.
struct ClassroomOptions {
    bool on = false; // any of them given: the batch writes items.csv and scan.csv's further columns
    bool mix = false; // --preset classroom: marks mixed row by row, mishaps drawn page by page
    std::vector<MarkKind> marks; // --marks: the kinds, question 1 first, cycling over the rows
    std::optional<ScanTone> tone; // every page in this tone
    std::optional<std::pair<double, double>> printScale; // every page printed to a scale drawn in this range
    bool upsideDown = false; // every page turned a half turn
    PageHandling defects; // --page-defects: these on every page (fold, holes, ...)
};

// Marks each row as the kinds say, kinds[q % size] for question q: changed draws the
// answer over the residue of the letter after it (or of the row's erased letters),
// erased rubs the answer out, double adds the letter after it. A blank row stays blank.
void ApplyMarkKinds(SheetContent& content, const std::vector<MarkKind>& kinds);

// The classroom preset's rows: mostly neat, partial, off-centre and heavy fills, some
// ticks, crosses, circles, ballpoint, faint marks, changed, erased and double rows; a
// tenth of the IDs with one digit changed.
void MixClassroomMarks(SheetContent& content, SheetRandom& random);

// What happens to one page: what the options fix, and with the preset, the mishaps
// drawn at their rates. Every draw is made whatever the options, so one option never
// moves another's.
PageHandling PlanPageHandling(const ClassroomOptions& options, SheetRandom& random);

// The tone's grey drawn in its range: light 80-100 (black), dark 175-205 (paper).
int DrawToneGrey(ScanTone tone, SheetRandom& random);
