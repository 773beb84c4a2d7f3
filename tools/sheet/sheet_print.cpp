#include "sheet_print.h"

#include "form_layout.h"
#include "printed_bubbles.h"
#include "registration_mark.h"

#include <QFont>
#include <QPainter>
#include <cmath>

using namespace form_layout;

namespace {

constexpr double X = kFormLeftMarkX;
constexpr double Y = kFormLeftMarkY;

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

// The pen runs along the inside of the bubble, so its ink stays within the bubble.
void DrawBubble(QPainter& painter, const QRectF& bubble, const QString& label)
{
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(bubble.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    DrawText(painter, bubble.adjusted(-2, 0, 2, 0), Qt::AlignCenter, label, FormFont(8));
}

void DrawHeading(QPainter& painter, const QString& title)
{
    DrawText(painter, QRectF(0, 30, kWidth, 44), Qt::AlignHCenter | Qt::AlignVCenter,
        QString::fromUtf8("กระดาษคำตอบ"), FormFont(32, true));
    const bool untitled = title.isEmpty();
    DrawText(painter, QRectF(40, 76, kWidth - 80, 20), Qt::AlignHCenter | Qt::AlignVCenter,
        untitled ? QStringLiteral("Vantrel answer sheet") : title, FormFont(untitled ? 13 : 15));

    const QFont label = FormFont(15);
    const struct {
        double left, right, y;
        const char* text;
    } fields[] = { { 90, 560, 130, "ชื่อ-นามสกุล" }, { 580, 740, 130, "เลขที่" }, { 90, 400, 170, "วิชา" },
        { 420, 740, 170, "วันที่สอบ" } };
    for (const auto& field : fields) {
        DrawText(painter, QRectF(field.left, field.y - 20, 200, 22), Qt::AlignLeft | Qt::AlignBottom,
            QString::fromUtf8(field.text), label);
        painter.drawLine(QPointF(field.left + 105, field.y), QPointF(field.right, field.y));
    }

    const QFont note = FormFont(13);
    const char* rules[] = { "คำแนะนำ: ใช้ดินสอ 2B ระบายให้เต็มช่อง ข้อละหนึ่งช่องเท่านั้น",
        "หากต้องการเปลี่ยนคำตอบ ให้ลบรอยเดิมให้สะอาด", "ห้ามขีดเขียนใกล้เครื่องหมายสีดำทั้งสองข้าง และห้ามพับกระดาษ",
        "กระดาษเฉลย: ระบายรหัสผู้สอบ 00000000 แล้วสแกนรวมกับกระดาษของนักเรียน" };
    double y = 200;
    for (const char* rule : rules) {
        DrawText(
            painter, QRectF(90, y, 650, 20), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(rule), note);
        y += 22;
    }
}

void DrawIdSection(QPainter& painter)
{
    const double firstBand = Y + kIdBandTopOffset;
    painter.drawRoundedRect(QRectF(X + 145, firstBand - 38, 285, 7 * kIdBandStep + kIdBandHeight + 48), 8, 8);
    DrawText(painter, QRectF(X + 155, firstBand - 34, 200, 20), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8("รหัสผู้สอบ"), FormFont(14, true));
    // Digits over their columns, above the first band.
    for (int digit = 0; digit < 10; ++digit) {
        const QRectF bubble = IdBubble(0, digit);
        DrawText(painter, QRectF(bubble.center().x() - 8, firstBand - 18, 16, 14), Qt::AlignCenter,
            QString::number(digit), FormFont(11, true));
    }
    for (int band = 0; band < kIdDigitCount; ++band) {
        const double top = firstBand + band * kIdBandStep;
        DrawText(painter, QRectF(X + 150, top, 20, kIdBandHeight), Qt::AlignRight | Qt::AlignVCenter,
            QString::number(band + 1), FormFont(10));
        // Box in which the examinee writes the digit by hand.
        painter.drawRect(QRectF(X + 180.5, top + 0.5, 24, kIdBandHeight - 1));
        for (int digit = 0; digit < 10; ++digit)
            DrawBubble(painter, IdBubble(band, digit), QString::number(digit));
    }
}

void DrawAnswerBlocks(QPainter& painter)
{
    DrawText(painter, QRectF(X - 20, Y + 110, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8("คำตอบ"), FormFont(14, true));
    const QFont number = FormFont(10);
    for (size_t b = 0; b < kAnswerBlocks.size(); ++b) {
        const double left = X + kAnswerBlocks[b].columnOffset - kBlockLeftInset;
        const double firstTop = Y + kAnswerBlocks[b].bandOffset + kRowStep;
        painter.drawRoundedRect(QRectF(left - 28, firstTop - 6, kRowStripColumns + 30,
                                    (kRowsPerBlock - 1) * kRowStep + kRowHeight + 12),
            6, 6);
        for (int k = 0; k < kRowsPerBlock; ++k) {
            const double top = firstTop + k * kRowStep;
            const int question = static_cast<int>(b) * kRowsPerBlock + k + 1;
            DrawText(painter, QRectF(left - 27, top, 23, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
                QString::number(question), number);
            for (int letter = 0; letter < 5; ++letter)
                DrawBubble(painter, AnswerBubble(question - 1, letter), QString(QChar('a' + letter)));
        }
    }
}

void DrawFooter(QPainter& painter)
{
    DrawText(painter, QRectF(0, kHeight - 70, kWidth, 20), Qt::AlignHCenter | Qt::AlignVCenter,
        QString::fromUtf8("ตรวจด้วยเครื่องอ่าน Vantrel · โปรดระบายด้วยดินสอดำเท่านั้น"), FormFont(12));
}

} // namespace

QImage BlankPaper(QColor paper, int dpi)
{
    QImage image(static_cast<int>(std::lround(kWidth * dpi / 100.0)),
        static_cast<int>(std::lround(kHeight * dpi / 100.0)), QImage::Format_RGB888);
    image.fill(paper);
    const int dotsPerMeter = dpi == 100 ? kDotsPerMeter : static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

void DrawFormContent(QPainter& painter, const QString& title)
{
    painter.setPen(QPen(kDropOutColor, 1.0));
    painter.setBrush(Qt::NoBrush);
    DrawHeading(painter, title);
    DrawIdSection(painter);
    DrawAnswerBlocks(painter);
    DrawFooter(painter);
}

void PrintSheetForm(QImage& image, const SheetPose& pose)
{
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setTransform(pose.ToScan());
        DrawFormContent(painter, {});
    }
    DrawRegistrationMarks(image, pose);
}
