#pragma once

#include "display/arr_points.h"
#include "display/pixel_rect.h"

#include <deque>
#include <string>
#include <vector>

// One visible line section on a sectioned x axis.
struct AxisSection {
    int sampleCount = 0;      // data units the section occupies on the x axis
    double realStart = 0.0;   // real metres
    double realEnd = 0.0;
    double realLength = 0.0;
    friend bool operator==(const AxisSection&, const AxisSection&) = default;
};

enum class MouseButton { Left, Right };

// Everything a trace screen shows: its series, data and label ranges, axis sections, style and the
// mouse state. Owners and the series building fill it; the widget only paints what it holds.
class CScreenState {
public:
    static constexpr int kStyleGrid = 1;
    static constexpr int kStyleXLabels = 2;
    static constexpr int kStyleYLabels = 4;
    static constexpr int kStyleStraightLines = 8;

    CScreenState() = default;
    virtual ~CScreenState() = default;
    CScreenState(const CScreenState&) = delete;
    CScreenState& operator=(const CScreenState&) = delete;

    void setStyle(bool grid, bool yLabels, bool xLabels);
    void setStraightLines(bool on);
    void setXRange(int min, int max, int span);
    void setYRange(int min, int max, int span);
    void setXLabelRange(double left, double right);
    void setYLabelRange(double bottom, double top);
    void setAxisSectionCount(int n);
    bool setAxisSection(int index, int sampleCount, double realLength, double realStart, double realEnd);
    void clearAxisSections();
    // The index of the new series; series of one layer are drawn in the order they were added.
    int addSeries(Rgb color, int pointCount, std::string name, ScreenLayer layer = ScreenLayer::Traces);
    CArrPoints& getSeries(int index) { return series.at(static_cast<std::size_t>(index)); }
    const CArrPoints& getSeries(int index) const { return series.at(static_cast<std::size_t>(index)); }
    int seriesCount() const { return static_cast<int>(series.size()); }
    // Out-of-range series or point indexes are ignored and report false.
    bool setSeriesFlags(int index, int flags);
    bool setPoint(int index, int point, int x, int y);
    int clampY(int value) const;
    DataPoint getLeftClick() const { return leftClick; }
    DataPoint getRightClick() const { return rightClick; }

    // A button went down inside the screen.
    void buttonPressed(MouseButton button);
    // A button was released at `ownerX`, `ownerY` (the owner's client coordinates; `screenY` is the same
    // point in the screen's own coordinates) with the plot rectangle `plot` in the owner's coordinates.
    // True when a click notification is due; the click position is then stored.
    bool buttonReleased(MouseButton button, int ownerX, int ownerY, int screenY, const PixelRect& plot);

    bool sectioned = false;
    std::vector<AxisSection> axisSections;
    std::deque<CArrPoints> series;
    int style = 0;
    PixelRect chartRect;
    int yMax = 0;
    int yMin = 0;
    double yLabelTop = 0.0;
    double yLabelBottom = 0.0;
    int ySpan = 0;
    int xMax = 0;
    int xMin = 0;
    double xLabelRight = 0.0;
    double xLabelLeft = 0.0;
    int xSpan = 0;
    DataPoint leftClick;
    DataPoint rightClick;
    bool leftPressed = false;
    bool rightPressed = false;
    bool captureMode = false;
};
