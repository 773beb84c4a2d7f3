#include "command_line.h"

std::string UsageText()
{
    return R"(Usage:
  vantrel-sheet blank -o FILE
      Draws the blank answer sheet as a scan would show it (A4, 100 dpi).

  vantrel-sheet print -o FILE.pdf [--title TEXT] [--copies N]
      Writes the printable answer sheet: a vector A4 PDF. Print it at 100 % (no
      "fit to page") and scan the filled sheets at 100 dpi, 24-bit colour.
      --title TEXT    a line under the heading, e.g. the exam and the class
      --copies N      pages in the file, 1 (default) to 500

  vantrel-sheet fill -o FILE --id DIGITS --answers LIST [--paper PAGE] [--tilt DEG]
                     [--noise N] [--quality Q] [--seed S] [--pencil GREY]
                     [--blur SIGMA] [--rotate DEG] [--shift DX,DY] [--speck]
                     [--marks KINDS] [--erased LIST] [--tone light|dark|normal]
                     [--print-scale P] [--upside-down] [--page-defects LIST]
      Draws one filled-in, scanned sheet.
      --paper PAGE    pencil into the printed bubbles of this image of the printed
                      sheet (e.g. the PDF rendered at 100 dpi, 827 x 1169 pixels)
                      instead of drawing the form; the tilt then turns the page
                      like a crooked sheet on the scanner
      --id DIGITS     examinee ID, exactly 8 digits (leading zeros allowed)
      --answers LIST  up to 100 comma-separated entries, question 1 first: a letter
                      a-e, several letters for a row marked more than once (ac), or
                      nothing for a blank row; missing entries are blank
      --tilt DEG      skew of the scan in degrees, -3.5 to 3.5 (positive: right side
                      higher); default 0
      --noise N       scanner noise: grain of N grey levels (standard deviation)
                      with dust and specks, 0 (default) to 100; the grader reads
                      sheets reliably up to about 15
      --quality Q     JPEG quality 1-100, default 90
      --seed S        varies the pencil strokes and the noise; default 1
      --pencil GREY   darkness of the marks, grey level 20 (dark) to 130 (faint);
                      default a random grey from 40 to 70
      --blur SIGMA    optical blur: Gaussian of SIGMA pixels, 0 (default) to 5
      --rotate DEG    the page turned on the glass about its centre, -3.5 to 3.5
                      (positive: right side higher): a true rotation, resampled,
                      where --tilt draws the marks where the grader will look
      --shift DX,DY   the page moved DX pixels right and DY down, -40 to 40 each;
                      one number moves it that far both ways
      --speck         a dark dust speck of a few pixels beside a registration mark,
                      where the grader's mark search may take it for the mark
      --dpi N         draw the scan at N dpi, 100 (default) to 600, as a copier
                      scans: form, marks and pencil drawn at that resolution (A4 is
                      2480 x 3508 pixels at 300 dpi); --shift and --blur stay in
                      100-dpi pixels; not with --speck or --paper
      --marks KINDS   how the answers are marked: kinds for question 1, 2, ...,
                      repeated (one kind: every row): neat (the pencil fill as
                      always drawn), partial (half to nine tenths of the bubble),
                      offcentre, heavy (a little past the bubble), tick, cross,
                      ballpoint (blue), circle (a ring round the letter, its
                      centre left light), faint, changed (the answer over the
                      erased residue of the letter after it, or of --erased's
                      letters), erased (the answer rubbed out: residue only),
                      double (the answer and the letter after it); blank rows
                      stay blank
      --erased LIST   letters rubbed out in each row, given as --answers: an
                      eraser's grey residue (150 to 210) under what is drawn
      --tone T        the scan's exposure: light (black comes out grey 80 to
                      100), dark (the paper comes out grey 175 to 205) or normal
      --print-scale P the sheet printed "fit to page" at P per cent, 90 to 100:
                      form and marks scaled about the page centre
      --upside-down   the page laid on the glass turned a half turn
      --page-defects LIST  any of fold (a crease across the page), holes (two
                      punched holes in the left margin), show-through (the print
                      of the back, mirrored), shadow (the lid's shadow along one
                      edge), perspective (a slight keystone)

  vantrel-sheet batch --count N --out DIR [--seed S] [--format tif|jpg|bmp]
                      [--max-tilt DEG] [--noise N] [--pencil GREY|A-B]
                      [--blur SIGMA] [--rotate DEG] [--shift PX] [--speck]
                      [--preset stress|classroom] [--dpi N] [--force]
                      [--marks KINDS] [--tone T] [--print-scale P|A-B]
                      [--upside-down] [--page-defects LIST]
      Draws N random sheets img001.tif, img002.tif, ... (N up to 9999) into DIR
      with the answer key key.txt (100 questions) and truth.csv
      (file,examinee_id,correct,wrong,error,m1..m100): the counts the grader must
      report for each sheet against the key, and the letters drawn in each row.
      Tilts are uniform in +-max-tilt (default 0.8, at most 3.5); JPEG sheets get
      a random quality from 75 to 95; noise as for fill (default 0). The same
      seed (default 1) always gives the same files.
      --pencil, --blur, --speck and --dpi as for fill (--pencil A-B: a grey drawn per
      sheet); --rotate DEG turns each page by up to DEG either way, --shift PX
      moves it by up to PX pixels each way. --preset stress draws realistic
      scans: pages turned 0.7 to 1.2 degrees either way, blur 0.7 to 1.1, noise
      2.5 to 5, pencil grey 60 to 120, JPEG quality 55 to 85 (format jpg, no
      --tilt); options given with it take its place. With any of these, scan.csv
      (file,tilt,rotate,shift_x,shift_y,blur,noise,pencil,quality,speck_x,
      speck_y) tells how each sheet was scanned; truth.csv stays what was drawn.
      --marks, --tone, --print-scale (in batch also a range A-B drawn per
      sheet), --upside-down and --page-defects as for fill, on every sheet.
      --preset classroom draws a class as it fills and scans its sheets. Of the
      answered rows: neat 40 %, partial 12 % (a fifth of them under half the
      bubble), offcentre 10 %, heavy 10 %, tick 4 %, cross 4 %, faint 4 %,
      circle 3 %, ballpoint 3 %, changed 6 %, erased 2 %, double 2 %; one ID in
      ten has a digit changed (the old digit's residue in its column). Pages
      turned up to 2.5 degrees either way, blur 0.5 to 1, noise 1.5 to 4,
      pencil grey 40 to 110, JPEG quality 40 to 90; of the pages: light tone
      20 %, dark 15 %, a crease 20 %, holes 12 %, show-through 15 %, the lid's
      shadow 25 %, a keystone 25 %, printed at 94 to 97 % 4 %, upside down 3 %.
      With any of these classroom options the batch also writes items.csv
      (file,item,kind,reads), a row per item, q1..q100 then id:1..id:8: kind
      is what was drawn (neat, partial, ..., changed, erased, double, or blank;
      an ID column neat or changed) and reads what a careful teacher reads:
      the letters (ac for a double), nothing for a blank row, the digit, or ?
      where she would hesitate: a ring round the letter only, a fill under
      half the bubble, an eraser's residue darker than grey 160 (under an
      answer, on a row erased to blank, in an ID column). truth.csv then
      counts the clear items only: an item read ? is neither correct, wrong
      nor error; its m1..m100 stay the letters fully drawn. scan.csv gains
      tone,tone_grey,print_scale,upside_down,fold,holes,show_through,
      edge_shadow,perspective (tone_grey: the grey black or the paper became;
      print_scale in per cent; the rest 0 or 1).
      A folder that already holds key.txt, truth.csv, scan.csv, items.csv or a
      sheet of the same name is refused, so no scans are lost; --force replaces
      them.

Images are 24-bit colour, at 100 dpi unless --dpi says otherwise; the type follows
the extension (.jpg, .bmp, .tif, .png).
vantrel-sheet --version shows the version.
)";
}
