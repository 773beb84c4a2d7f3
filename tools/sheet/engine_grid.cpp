#include "engine_grid.h"

#include "omr/mark_windows.h"

#include <cmath>

namespace {

// The skew as the grader measures it from its two reference points.
SkewMeasurement SkewFromReferencePoints(const ReferencePoints& points)
{
    SkewMeasurement skew;
    skew.leftMarkX = static_cast<float>(points.leftX);
    skew.leftMarkY = static_cast<float>(points.leftY);
    skew.rightMarkX = static_cast<float>(points.rightX);
    skew.rightMarkY = static_cast<float>(points.rightY);
    const long double rise = static_cast<long double>(skew.leftMarkY) - skew.rightMarkY;
    const long double run = static_cast<long double>(skew.rightMarkX) - skew.leftMarkX;
    skew.angleRadians = static_cast<double>(std::atan(rise / run));
    return skew;
}

} // namespace

PixelRect ToPixelRect(const PixelArea& area)
{
    return { area.columns.first, area.rows.first, area.columns.end - 1, area.rows.end - 1 };
}

PixelRect LeftMarkWindow()
{
    return ToPixelRect(kLeftMarkWindow);
}

PixelRect RightMarkWindow()
{
    return ToPixelRect(kRightMarkWindow);
}

EngineGrid::EngineGrid(const ReferencePoints& points)
    : m_skew(SkewFromReferencePoints(points))
    , m_rows(LayQuestionRows(m_skew))
    , m_bands(LayIdBands(m_skew))
{
}

PixelRect EngineGrid::AnswerBox(int question, int letter) const
{
    return ToPixelRect(AnswerBoxArea(LayAnswerBox(m_rows[static_cast<size_t>(question)], letter)));
}

PixelRect EngineGrid::RowStrip(int question) const
{
    return ToPixelRect(RowScanArea(m_rows[static_cast<size_t>(question)]));
}

PixelRect EngineGrid::IdDigitBox(int band, int digit) const
{
    const PixelArea area = IdBandArea(m_bands.tops[static_cast<size_t>(band)], m_bands.left);
    const int origin = IdDigitOrigin(m_skew);
    const IdDigitColumns columns = kIdDigitColumns[static_cast<size_t>(digit)];
    return { origin + columns.first, area.rows.first, origin + columns.last, area.rows.end - 1 };
}

PixelRect EngineGrid::IdBandsArea() const
{
    const PixelRect first = ToPixelRect(IdBandArea(m_bands.tops.front(), m_bands.left));
    const PixelRect last = ToPixelRect(IdBandArea(m_bands.tops.back(), m_bands.left));
    return { first.left, first.top, first.right, last.bottom };
}
