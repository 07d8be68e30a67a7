#include "display/screen_state.h"

#include "display/screen_geometry.h"

void CScreenState::setStyle(bool grid, bool yLabels, bool xLabels)
{
    style = (style & kStyleStraightLines) | (grid ? kStyleGrid : 0) | (yLabels ? kStyleYLabels : 0) |
            (xLabels ? kStyleXLabels : 0);
}

void CScreenState::setStraightLines(bool on)
{
    style = on ? (style | kStyleStraightLines) : (style & ~kStyleStraightLines);
}

void CScreenState::setXRange(int min, int max, int span)
{
    xMin = min;
    xMax = max;
    xSpan = span;
}

void CScreenState::setYRange(int min, int max, int span)
{
    yMin = min;
    yMax = max;
    ySpan = span;
}

void CScreenState::setXLabelRange(double left, double right)
{
    xLabelLeft = left;
    xLabelRight = right;
}

void CScreenState::setYLabelRange(double bottom, double top)
{
    yLabelBottom = bottom;
    yLabelTop = top;
}

void CScreenState::setAxisSectionCount(int n)
{
    sectioned = true;
    axisSections.assign(static_cast<std::size_t>(n > 0 ? n : 0), AxisSection{});
}

bool CScreenState::setAxisSection(int index, int sampleCount, double realLength, double realStart,
                                  double realEnd)
{
    if (index < 0 || index >= static_cast<int>(axisSections.size()))
        return false;
    axisSections[static_cast<std::size_t>(index)] = {sampleCount, realStart, realEnd, realLength};
    return true;
}

void CScreenState::clearAxisSections()
{
    sectioned = false;
    axisSections.clear();
}

int CScreenState::addSeries(Rgb color, int pointCount, std::string name, ScreenLayer layer)
{
    series.emplace_back(color, pointCount, std::move(name), layer);
    return seriesCount() - 1;
}

bool CScreenState::setSeriesFlags(int index, int flags)
{
    if (index < 0 || index >= seriesCount())
        return false;
    series[static_cast<std::size_t>(index)].flags = flags;
    return true;
}

bool CScreenState::setPoint(int index, int point, int x, int y)
{
    if (index < 0 || index >= seriesCount())
        return false;
    auto& points = series[static_cast<std::size_t>(index)].points;
    if (point < 0 || point >= static_cast<int>(points.size()))
        return false;
    points[static_cast<std::size_t>(point)] = {x, y};
    return true;
}

int CScreenState::clampY(int value) const
{
    if (value > yMax)
        return yMax;
    if (value < yMin)
        return yMin;
    return value;
}

void CScreenState::buttonPressed(MouseButton button)
{
    (button == MouseButton::Left ? leftPressed : rightPressed) = true;
}

bool CScreenState::buttonReleased(MouseButton button, int ownerX, int ownerY, int screenY,
                                  const PixelRect& plot)
{
    bool& pressed = button == MouseButton::Left ? leftPressed : rightPressed;
    if (!pressed)
        return false;
    const auto click = screen_geometry::clickToData(*this, plot, button, ownerX, ownerY, screenY);
    // A release outside the plot keeps the button pressed: a later release inside still notifies.
    if (!click)
        return false;
    (button == MouseButton::Left ? leftClick : rightClick) = *click;
    pressed = false;
    return true;
}
