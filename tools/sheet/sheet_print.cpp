#include "sheet_print.h"

#include "registration_mark.h"
#include "form_layout.h"

#include <QFont>
#include <QPainter>

using namespace form_layout;

namespace {

constexpr double X = kLeftMarkX;
constexpr double Y = kLeftMarkY;

QFont FormFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Loma"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void DrawText(QPainter& painter, const QRectF& area, int flags, const QString& text, const QFont& font)
{
    painter.setFont(font);
    painter.drawText(area, flags, text);
}

void DrawBubble(QPainter& painter, const QRectF& box, const QString& label)
{
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    DrawText(painter, box, Qt::AlignCenter, label, FormFont(9));
}

void DrawHeading(QPainter& painter)
{
    DrawText(painter, QRectF(0, 30, kWidth, 44), Qt::AlignHCenter | Qt::AlignVCenter,
             QString::fromUtf8("กระดาษคำตอบ"), FormFont(32, true));
    DrawText(painter, QRectF(0, 76, kWidth, 20), Qt::AlignHCenter | Qt::AlignVCenter,
             QStringLiteral("Vantrel answer sheet"), FormFont(13));

    const QFont label = FormFont(15);
    const struct {
        double left, right, y;
        const char* text;
    } fields[] = {{90, 560, 130, "ชื่อ-นามสกุล"},
                  {580, 740, 130, "เลขที่"},
                  {90, 400, 170, "วิชา"},
                  {420, 740, 170, "วันที่สอบ"}};
    for (const auto& field : fields) {
        DrawText(painter, QRectF(field.left, field.y - 20, 200, 22), Qt::AlignLeft | Qt::AlignBottom,
                 QString::fromUtf8(field.text), label);
        painter.drawLine(QPointF(field.left + 105, field.y), QPointF(field.right, field.y));
    }

    const QFont note = FormFont(13);
    const char* rules[] = {"คำแนะนำ: ใช้ดินสอ 2B ระบายให้เต็มช่อง ข้อละหนึ่งช่องเท่านั้น",
                           "หากต้องการเปลี่ยนคำตอบ ให้ลบรอยเดิมให้สะอาด",
                           "ห้ามขีดเขียนใกล้เครื่องหมายสีดำทั้งสองข้าง และห้ามพับกระดาษ"};
    double y = 200;
    for (const char* rule : rules) {
        DrawText(painter, QRectF(90, y, 650, 20), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(rule), note);
        y += 22;
    }
}

void DrawIdSection(QPainter& painter)
{
    const double firstBand = Y + kIdBandTopOffset;
    const double origin = X + kIdDigitOrigin;
    painter.drawRoundedRect(QRectF(X + 145, firstBand - 38, 285, 7 * kIdBandStep + kIdBandHeight + 48), 8, 8);
    DrawText(painter, QRectF(X + 155, firstBand - 34, 200, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("รหัสผู้สอบ"), FormFont(14, true));
    for (int band = 0; band < kIdDigits; ++band) {
        const double top = firstBand + band * kIdBandStep;
        DrawText(painter, QRectF(X + 150, top, 20, kIdBandHeight), Qt::AlignRight | Qt::AlignVCenter,
                 QString::number(band + 1), FormFont(10));
        // Box in which the examinee writes the digit by hand.
        painter.drawRect(QRectF(X + 180.5, top + 0.5, 24, kIdBandHeight - 1));
        for (int digit = 0; digit < 10; ++digit) {
            const DigitColumns columns = kDigitColumns[static_cast<size_t>(digit)];
            const double centre = origin + (columns.first + columns.last + 1) / 2.0;
            DrawBubble(painter, QRectF(centre - kBoxWidth / 2, top, kBoxWidth, kIdBandHeight),
                       QString::number(digit));
        }
    }
}

void DrawAnswerBlocks(QPainter& painter)
{
    DrawText(painter, QRectF(X - 20, Y + 110, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("คำตอบ"), FormFont(14, true));
    const QFont number = FormFont(10);
    for (size_t b = 0; b < kBlocks.size(); ++b) {
        const double left = X + kBlocks[b].columnOffset - kBlockLeftInset;
        const double firstTop = Y + kBlocks[b].bandOffset + kRowStep;
        painter.drawRoundedRect(QRectF(left - 28, firstTop - 6, kStripWidth + 30,
                                       (kQuestionsPerBlock - 1) * kRowStep + kRowHeight + 12),
                                6, 6);
        for (int k = 0; k < kQuestionsPerBlock; ++k) {
            const double top = firstTop + k * kRowStep;
            const int question = static_cast<int>(b) * kQuestionsPerBlock + k + 1;
            DrawText(painter, QRectF(left - 27, top, 23, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(question), number);
            for (int letter = 0; letter < 5; ++letter)
                DrawBubble(painter,
                           QRectF(left + kLetterOffsets[static_cast<size_t>(letter)], top, kBoxWidth, kRowHeight),
                           QString(QChar('a' + letter)));
        }
    }
}

void DrawFooter(QPainter& painter)
{
    DrawText(painter, QRectF(0, kHeight - 70, kWidth, 20), Qt::AlignHCenter | Qt::AlignVCenter,
             QString::fromUtf8("ตรวจด้วยเครื่องอ่าน Vantrel · โปรดระบายด้วยดินสอดำเท่านั้น"), FormFont(12));
}

} // namespace

QImage BlankPaper(QColor paper)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    image.fill(paper);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    return image;
}

void PrintSheetForm(QImage& image, const SheetPose& pose)
{
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setTransform(pose.ToScan());
        painter.setPen(QPen(kDropOutColor, 1.0));
        DrawHeading(painter);
        DrawIdSection(painter);
        DrawAnswerBlocks(painter);
        DrawFooter(painter);
    }
    DrawRegistrationMarks(image, pose);
}
