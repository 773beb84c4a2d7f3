#include "filled_sheet.h"

#include "engine_grid.h"
#include "pencil_mark.h"
#include "registration_mark.h"
#include "scan_noise.h"
#include "form_layout.h"
#include "sheet_print.h"

#include <QFont>
#include <QPainter>
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
    for (int band = 0; band < kIdDigits; ++band) {
        const QRectF box(kLeftMarkX + 180, kLeftMarkY + kIdBandTopOffset + band * kIdBandStep, 24, kIdBandHeight);
        painter.drawText(box, Qt::AlignCenter, QString(QChar(id[static_cast<size_t>(band)])));
    }
}

void MarkId(QImage& image, const EngineFrame& frame, const std::string& id, int grey, SheetRandom& random)
{
    for (int band = 0; band < kIdDigits; ++band) {
        const PixelRect box = IdDigitBox(frame, band, id[static_cast<size_t>(band)] - '0');
        DrawPencilMark(image, box, 11, random.Between(11, 12), grey, random);
    }
}

void MarkAnswers(QImage& image, const std::array<AnswerRow, 100>& rows, const MarkedAnswers& marks, int grey,
                 SheetRandom& random)
{
    for (size_t q = 0; q < marks.size(); ++q)
        for (const char letter : marks[q])
            DrawPencilMark(image, rows[q].Box(letter - 'a'), random.Between(10, 11), random.Between(11, 12), grey,
                           random);
}

std::vector<PixelRect> MarkWindows()
{
    return {{kLeftMarkWindow.left, kLeftMarkWindow.top, kLeftMarkWindow.right, kLeftMarkWindow.bottom},
            {kRightMarkWindow.left, kRightMarkWindow.top, kRightMarkWindow.right, kRightMarkWindow.bottom}};
}

std::vector<PixelRect> ReadAreas(const EngineFrame& frame, const std::array<AnswerRow, 100>& rows)
{
    std::vector<PixelRect> areas = MarkWindows();
    areas.push_back(IdBandsArea(frame));
    for (const AnswerRow& row : rows)
        areas.push_back(row.Strip());
    return areas;
}

} // namespace

QImage RenderBlankSheet()
{
    QImage image = BlankPaper();
    PrintSheetForm(image, SheetPose(0));
    return image;
}

QImage RenderFilledSheet(const SheetContent& content, int noiseLevel, uint64_t seed)
{
    SheetRandom random(seed);
    const int paper = random.Between(246, 253);
    QImage image = BlankPaper(QColor(paper, paper, paper - random.Between(0, 4)));
    const SheetPose pose(content.tiltDegrees);
    PrintSheetForm(image, pose);

    // Place the pencil by the reference points the grader will find on this very image.
    const EngineFrame frame = FrameFromReferencePoints(FindReferencePoints(image));
    const std::array<AnswerRow, 100> rows = AnswerRows(frame);
    const int pencil = random.Between(40, 70);
    WriteIdByHand(image, pose, content.examineeId, pencil + 30);
    MarkId(image, frame, content.examineeId, pencil, random);
    MarkAnswers(image, rows, content.marks, pencil, random);
    AddScanNoise(image, noiseLevel, MarkWindows(), ReadAreas(frame, rows), random);
    return image;
}
