#include "engine_grid.h"

#include "omr/mark_windows.h"

#include <cmath>

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
    : m_skew(SkewFromMarkPoints(points.leftX, points.leftY, points.rightX, points.rightY))
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
