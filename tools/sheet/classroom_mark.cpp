#include "classroom_mark.h"

#include "printed_bubbles.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Ink only ever darkens the paper.
void Darkening(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Darken);
}

QColor Graphite(int grey)
{
    return QColor(grey, grey, std::min(255, grey + 6)); // graphite is faintly blue
}

// A filled oval covering `fraction` of the box's area, its centre moved by (dx, dy).
void Fill(QImage& image, const QRectF& box, double fraction, QPointF offset, const QColor& ink)
{
    QPainter painter(&image);
    Darkening(painter);
    const double side = std::sqrt(fraction);
    QRectF oval(0, 0, box.width() * side, box.height() * side);
    oval.moveCenter(box.center() + offset);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(oval);
}

// Strokes through the box's points given in its own unit square.
void Strokes(QImage& image, const QRectF& box, const std::vector<std::pair<QPointF, QPointF>>& lines,
    double width, const QColor& ink)
{
    QPainter painter(&image);
    Darkening(painter);
    painter.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap));
    const auto at = [&box](QPointF unit) {
        return QPointF(box.left() + unit.x() * box.width(), box.top() + unit.y() * box.height());
    };
    for (const auto& [from, to] : lines)
        painter.drawLine(at(from), at(to));
}

// The printed bubble, centred in the box the grader reads, where the student aims.
QRectF Bubble(const PixelRect& area, double scale)
{
    QRectF bubble(0, 0, kBubbleWidth * scale, kBubbleHeight * scale);
    bubble.moveCenter(QRectF(area.left, area.top, area.Width(), area.Height()).center());
    return bubble;
}

constexpr std::array<std::pair<const char*, MarkKind>, 12> kKindNames { { { "neat", MarkKind::Neat },
    { "partial", MarkKind::Partial }, { "offcentre", MarkKind::OffCentre }, { "heavy", MarkKind::Heavy },
    { "tick", MarkKind::Tick }, { "cross", MarkKind::Cross }, { "ballpoint", MarkKind::Ballpoint },
    { "circle", MarkKind::Circle }, { "faint", MarkKind::Faint }, { "changed", MarkKind::Changed },
    { "erased", MarkKind::Erased }, { "double", MarkKind::Double } } };

} // namespace

std::optional<MarkKind> MarkKindNamed(const std::string& name)
{
    for (const auto& [word, kind] : kKindNames)
        if (name == word)
            return kind;
    return std::nullopt;
}

const char* MarkKindName(MarkKind kind)
{
    for (const auto& [word, named] : kKindNames)
        if (named == kind)
            return word;
    return "neat";
}

void DrawClassroomMark(
    QImage& image, const PixelRect& area, const ItemMark& item, int grey, double scale, SheetRandom& random)
{
    const MarkKind kind = item.kind;
    const QRectF box = Bubble(area, scale);
    const double stroke = std::max(1.0, 1.4 * scale);
    const QColor pencil = Graphite(grey);
    switch (kind) {
    case MarkKind::Partial:
        Fill(image, box, item.cover > 0 ? item.cover : random.Uniform(0.5, 0.9), {}, pencil);
        break;
    case MarkKind::OffCentre: {
        const double reach = 0.25 * box.width();
        Fill(image, box, 1.0, { random.Uniform(-reach, reach), random.Uniform(-reach, reach) }, pencil);
        break;
    }
    case MarkKind::Heavy:
        Fill(image, box.adjusted(-1.5 * scale, -1.5 * scale, 1.5 * scale, 1.5 * scale), 1.0, {},
            Graphite(grey - 15));
        break;
    case MarkKind::Tick:
        Strokes(image, box, { { { 0.1, 0.55 }, { 0.4, 0.9 } }, { { 0.4, 0.9 }, { 0.95, 0.05 } } }, stroke,
            pencil);
        break;
    case MarkKind::Cross:
        Strokes(
            image, box, { { { 0.1, 0.1 }, { 0.9, 0.9 } }, { { 0.9, 0.1 }, { 0.1, 0.9 } } }, stroke, pencil);
        break;
    case MarkKind::Ballpoint:
        Fill(image, box, random.Uniform(0.85, 1.0), {}, QColor(40, 50, 150));
        break;
    case MarkKind::Circle: {
        QPainter painter(&image);
        Darkening(painter);
        painter.setPen(QPen(pencil, stroke));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.adjusted(-1.5 * scale, -1.5 * scale, 1.5 * scale, 1.5 * scale));
        break;
    }
    case MarkKind::Faint:
        Fill(image, box, random.Uniform(0.9, 1.0), {}, Graphite(random.Between(110, 140)));
        break;
    case MarkKind::Neat: // a whole row's kinds draw the pencil mark
    case MarkKind::Changed:
    case MarkKind::Erased:
    case MarkKind::Double:
        Fill(image, box, random.Uniform(0.95, 1.0), {}, pencil);
        break;
    }
}

void DrawErasedResidue(QImage& image, const PixelRect& area, int grey, double scale, SheetRandom& random)
{
    const QRectF box = Bubble(area, scale);
    const double cover = random.Uniform(0.7, 1.0);
    const int drawn = random.Between(kLightestResidue - 60, kLightestResidue);
    Fill(image, box.adjusted(-scale, -scale, scale, scale), cover, {}, Graphite(grey > 0 ? grey : drawn));
}
