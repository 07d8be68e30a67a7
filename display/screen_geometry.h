#pragma once

#include "display/pixel_rect.h"
#include "display/screen_state.h"

#include <optional>
#include <string>
#include <vector>

// The geometry of a trace screen as plain functions: plot rectangle, data-to-pixel mapping, tick
// positions and axis-section edges. The painter draws what these return.
namespace screen_geometry {

inline constexpr int kMargin = 5;
inline constexpr int kLabelGap = 3;
inline constexpr double kPrintLabelFactor = 1.8;
inline constexpr double kMinTickSpacing = 30.0;   // pixels; ticks are strictly farther apart

// "%d" of a label value truncated toward zero.
std::string tickLabel(double value);

// Text extents the painter measured in the font in use: the wider of the two y end labels and the
// height of the left x label.
struct LabelExtents {
    int yLabelWidth = 0;
    int xLabelHeight = 0;
};

// The plot rectangle inside `start` (the chart rectangle, or the page when printing).
PixelRect plotRect(const PixelRect& start, int style, const LabelExtents& text, bool printing);

// Span of a label range taken from absolute values, as the tick rule expects it.
double labelSpan(double low, double high);

// The tick step for a label span and a pixel scale (pixels per label unit): the smallest multiple of
// the base step whose spacing exceeds 30 pixels; 0 when the span or scale cannot give ticks.
double tickStep(double span, double pixelsPerUnit);

// Data units to pixels on a plot rectangle.
class DataMapping {
public:
    DataMapping(const CScreenState& state, const PixelRect& plot);
    int pixelX(int x) const;
    int pixelY(int y) const;
    PixelPoint pixel(DataPoint p) const { return {pixelX(p.x), pixelY(p.y)}; }
    bool inRange(DataPoint p) const;

private:
    PixelRect plot;
    int xMin, xMax, xSpan, yMin, yMax, ySpan;
    int rangeLeft, rangeRight, rangeBottom, rangeTop;
};

struct GridLine {
    int pos = 0;            // pixel y of a horizontal line, pixel x of a vertical one
    bool labelled = false;  // a tick line (labelled when labels are on); section edges are not
    int value = 0;          // the label
};

struct GridLayout {
    std::vector<GridLine> horizontal;   // drawn from plot.left to plot.right
    std::vector<GridLine> vertical;     // drawn from plot.top to plot.bottom
};

// Grid lines and labels of the screen (printing uses ceil for the section ticks and edges).
GridLayout gridLayout(const CScreenState& state, const PixelRect& plot, bool printing);

// Left edges of the x labels of the labelled lines, given each label's text width: centred on its line,
// except that the last one is shifted left so that it ends at the plot's right edge rather than being
// cut off by the screen's border. A label the shifted one would then touch is left out (none).
std::vector<std::optional<int>> xLabelLefts(const std::vector<GridLine>& vertical, const std::vector<int>& widths,
                                            int plotRight);

enum class PathKind { Nothing, Pixel, Lines };

// The pixel path of one series: leading points out of range are skipped, the rest are joined by
// straight lines or by steps (to the previous x at the new y, then to the new point).
struct SeriesPath {
    PathKind kind = PathKind::Nothing;
    std::vector<PixelPoint> points;
    bool nameShown = false;      // named and its last point in range
    PixelPoint namePoint;        // the last point's pixel
    int firstX = 0;              // pixel x of the first in-range point
};

void seriesPath(const CArrPoints& series, const DataMapping& map, bool straight, SeriesPath& out);

// The click at the owner's point `ownerX`, `ownerY` (screenY in the screen's coordinates) in data
// units; none when it lies outside the plot rectangle.
std::optional<DataPoint> clickToData(const CScreenState& state, const PixelRect& plot, MouseButton button,
                                     int ownerX, int ownerY, int screenY);

} // namespace screen_geometry
