#include "filled_sheet.h"

#include "classroom_mark.h"
#include "engine_grid.h"
#include "form_layout.h"
#include "pencil_mark.h"
#include "printed_bubbles.h"
#include "registration_mark.h"
#include "scan_noise.h"
#include "sheet_print.h"

#include <QFont>
#include <QPainter>
#include <cmath>
#include <vector>

using namespace form_layout;

namespace {

// The examinee also writes the ID by hand beside the bands; the grader never reads it.
void WriteIdByHand(QImage& image, const SheetPose& pose, const std::string& id, int grey)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(pose.ToScan());
    QFont font(QStringLiteral("Purisa"));
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(grey, grey, grey + 6));
    for (int band = 0; band < kIdDigitCount; ++band) {
        const QRectF box(
            kFormLeftMarkX + 180, kFormLeftMarkY + kIdBandTopOffset + band * kIdBandStep, 24, kIdBandHeight);
        painter.drawText(box, Qt::AlignCenter, QString(QChar(id[static_cast<size_t>(band)])));
    }
}

// A rectangle of 100-dpi pixels as the pixels it covers at `scale` times that.
PixelRect Scaled(const PixelRect& area, double scale)
{
    if (scale == 1)
        return area;
    return { static_cast<int>(std::floor(area.left * scale)), static_cast<int>(std::floor(area.top * scale)),
        static_cast<int>(std::ceil((area.right + 1) * scale)) - 1,
        static_cast<int>(std::ceil((area.bottom + 1) * scale)) - 1 };
}

int Scaled(int length, double scale)
{
    return scale == 1 ? length : static_cast<int>(std::lround(length * scale));
}

// Kinds that draw the pencil mark as it has always been drawn.
bool DrawnAsPencil(MarkKind kind)
{
    return kind == MarkKind::Neat || kind == MarkKind::Changed || kind == MarkKind::Erased
        || kind == MarkKind::Double;
}

// The pencil is placed on the 100-dpi grid the grader lays, then drawn at the
// page's own resolution.
void MarkId(QImage& image, const EngineGrid& grid, const SheetContent& content, int grey, double scale,
    SheetRandom& random)
{
    const std::string& id = content.examineeId;
    if (const ChangedIdDigit& change = content.idChange; change.band >= 0)
        DrawErasedResidue(image, Scaled(grid.IdDigitBox(change.band, change.oldDigit), scale),
            change.residueGrey, scale, random);
    for (int band = 0; band < kIdDigitCount; ++band) {
        const PixelRect box = grid.IdDigitBox(band, id[static_cast<size_t>(band)] - '0');
        const int height = random.Between(11, 12);
        DrawPencilMark(image, Scaled(box, scale), Scaled(11, scale), Scaled(height, scale), grey, random);
    }
}

void MarkAnswers(QImage& image, const EngineGrid& grid, const SheetContent& content, int grey, double scale,
    SheetRandom& random)
{
    const MarkedAnswers& marks = content.marks;
    for (size_t q = 0; q < marks.size(); ++q)
        for (const char letter : content.erased[q])
            DrawErasedResidue(image, Scaled(grid.AnswerBox(static_cast<int>(q), letter - 'a'), scale),
                content.items[q].residueGrey, scale, random);
    for (size_t q = 0; q < marks.size(); ++q)
        for (const char letter : marks[q]) {
            if (!DrawnAsPencil(content.items[q].kind)) {
                DrawClassroomMark(image, Scaled(grid.AnswerBox(static_cast<int>(q), letter - 'a'), scale),
                    content.items[q], grey, scale, random);
                continue;
            }
            if (scale == 1) { // as 100-dpi sheets have always been drawn
                DrawPencilMark(image, grid.AnswerBox(static_cast<int>(q), letter - 'a'),
                    random.Between(10, 11), random.Between(11, 12), grey, random);
                continue;
            }
            const int width = random.Between(10, 11);
            const int height = random.Between(11, 12);
            DrawPencilMark(image, Scaled(grid.AnswerBox(static_cast<int>(q), letter - 'a'), scale),
                Scaled(width, scale), Scaled(height, scale), grey, random);
        }
}

std::vector<PixelRect> MarkWindows(double scale = 1)
{
    return { Scaled(LeftMarkWindow(), scale), Scaled(RightMarkWindow(), scale) };
}

std::vector<PixelRect> ReadAreas(const EngineGrid& grid, double scale = 1)
{
    std::vector<PixelRect> areas = MarkWindows(scale);
    areas.push_back(Scaled(grid.IdBandsArea(), scale));
    for (int question = 0; question < kQuestionCount; ++question)
        areas.push_back(Scaled(grid.RowStrip(question), scale));
    return areas;
}

// The pixels whose centres lie inside a rectangle of form pixels.
PixelRect PixelsInside(const QRectF& area)
{
    return { static_cast<int>(std::ceil(area.left() - 0.5)), static_cast<int>(std::ceil(area.top() - 0.5)),
        static_cast<int>(std::floor(area.right() - 0.5)), static_cast<int>(std::floor(area.bottom() - 0.5)) };
}

// A student filling the printed bubble: the mark covers the bubble, whatever the
// grader will make of it.
void FillBubble(QImage& image, const QRectF& bubble, int grey, SheetRandom& random)
{
    const PixelRect area = PixelsInside(bubble);
    DrawPencilMark(image, area, area.Width(), area.Height(), grey, random);
}

// Turns the page about its centre as a crooked sheet lies on the scanner glass.
QImage TurnOnGlass(const QImage& page, double tiltDegrees)
{
    if (tiltDegrees == 0)
        return page;
    QImage turned(page.size(), QImage::Format_RGB888);
    turned.fill(Qt::white);
    turned.setDotsPerMeterX(page.dotsPerMeterX());
    turned.setDotsPerMeterY(page.dotsPerMeterY());
    QPainter painter(&turned);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF centre(page.width() / 2.0, page.height() / 2.0);
    painter.translate(centre);
    painter.rotate(-tiltDegrees);
    painter.translate(-centre);
    painter.drawImage(0, 0, page);
    return turned;
}

int PencilGrey(const ScanConditions& scan, SheetRandom& random)
{
    // Drawn whatever is asked, so the rest of the sheet's randomness stays put.
    const int drawn = random.Between(40, 70);
    return scan.pencilGrey > 0 ? scan.pencilGrey : drawn;
}

// A page drawn at a copier's resolution: shifts and blur are given in 100-dpi
// pixels and scale with it; the noise keeps out of the same areas.
void ScanHighResolutionPage(
    FilledScan& filled, const ScanConditions& scan, const EngineGrid& grid, SheetRandom& random)
{
    const double scale = scan.dpi / 100.0;
    if (scan.rotateDegrees != 0 || scan.shiftX != 0 || scan.shiftY != 0)
        filled.image
            = PlaceOnGlass(filled.image, scan.rotateDegrees, scan.shiftX * scale, scan.shiftY * scale);
    HandleScanner(filled.image, scan.page, scale);
    BlurOptically(filled.image, scan.blurSigma * scale);
    AddScanNoise(filled.image, scan.noise, MarkWindows(scale), ReadAreas(grid, scale), random);
    TurnAsItLay(filled.image, scan.page);
}

// What happens on the scanner, in the order light meets it: the page lies on the
// glass, dust lies on the glass, the optics blur both, the sensor adds its noise.
void ScanPage(FilledScan& filled, const ScanConditions& scan, SheetRandom& random)
{
    if (scan.rotateDegrees != 0 || scan.shiftX != 0 || scan.shiftY != 0)
        filled.image = PlaceOnGlass(filled.image, scan.rotateDegrees, scan.shiftX, scan.shiftY);
    if (scan.speck) {
        const ReferencePoints points = FindReferencePoints(filled.image);
        const bool left = random.Chance(0.5);
        filled.speck = left
            ? AddMarkSpeck(filled.image, QPoint(points.leftX, points.leftY), LeftMarkWindow(), random)
            : AddMarkSpeck(filled.image, QPoint(points.rightX, points.rightY), RightMarkWindow(), random);
    }
    HandleScanner(filled.image, scan.page, 1);
    BlurOptically(filled.image, scan.blurSigma);
    // Dark specks stay out of where the grader will look on this very scan.
    const EngineGrid grid(FindReferencePoints(filled.image));
    AddScanNoise(filled.image, scan.noise, MarkWindows(), ReadAreas(grid), random);
    TurnAsItLay(filled.image, scan.page);
}

} // namespace

QImage RenderBlankSheet()
{
    QImage image = BlankPaper();
    PrintSheetForm(image, SheetPose(0));
    return image;
}

FilledScan RenderFilledSheet(const SheetContent& content, const ScanConditions& scan, uint64_t seed)
{
    SheetRandom random(seed);
    const int paper = random.Between(246, 253);
    QImage image = BlankPaper(QColor(paper, paper, paper - random.Between(0, 4)));
    const SheetPose pose(content.tiltDegrees);
    PrintSheetForm(image, pose);

    // Place the pencil by the reference points the grader will find on this very image.
    const EngineGrid grid(FindReferencePoints(image));
    const int pencil = PencilGrey(scan, random);
    if (scan.dpi != 100) {
        // Drawn again at the copier's resolution; the 100-dpi form above only
        // tells where the grader will look.
        const double scale = scan.dpi / 100.0;
        const SheetPose scanned(content.tiltDegrees, scale);
        image = BlankPaper(QColor(paper, paper, paper - random.Between(0, 4)), scan.dpi);
        PrintSheetForm(image, scanned);
        WriteIdByHand(image, scanned, content.examineeId, pencil + 30);
        MarkId(image, grid, content, pencil, scale, random);
        MarkAnswers(image, grid, content, pencil, scale, random);
        HandlePaper(image, scan.page, scale);
        FilledScan filled { std::move(image), pencil, {} };
        ScanHighResolutionPage(filled, scan, grid, random);
        return filled;
    }
    WriteIdByHand(image, pose, content.examineeId, pencil + 30);
    MarkId(image, grid, content, pencil, 1, random);
    MarkAnswers(image, grid, content, pencil, 1, random);
    HandlePaper(image, scan.page, 1);
    FilledScan filled { std::move(image), pencil, {} };
    ScanPage(filled, scan, random);
    return filled;
}

FilledScan PencilPrintedPage(
    const QImage& page, const SheetContent& content, const ScanConditions& scan, uint64_t seed)
{
    SheetRandom random(seed);
    QImage image = page.convertToFormat(QImage::Format_RGB888);
    const int pencil = PencilGrey(scan, random);
    WriteIdByHand(image, SheetPose(0), content.examineeId, pencil + 30);
    for (int band = 0; band < kIdDigitCount; ++band) {
        const int digit = content.examineeId[static_cast<size_t>(band)] - '0';
        FillBubble(image, IdBubble(band, digit), pencil, random);
    }
    for (size_t q = 0; q < content.marks.size(); ++q)
        for (const char letter : content.marks[q])
            FillBubble(image, AnswerBubble(static_cast<int>(q), letter - 'a'), pencil, random);

    HandlePaper(image, scan.page, 1);
    FilledScan filled { TurnOnGlass(image, content.tiltDegrees), pencil, {} };
    ScanPage(filled, scan, random);
    return filled;
}
