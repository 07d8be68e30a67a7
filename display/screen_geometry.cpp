#include "display/screen_geometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cmath>

namespace screen_geometry {

namespace {

// Label values are printed with "%d"; a value beyond int is clamped instead of overflowing.
int toInt(double value)
{
    if (!(value == value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(std::trunc(value));
}

// The smallest multiple of `base` whose spacing at `pixelsPerUnit` exceeds 30 pixels.
double stepFromBase(double base, double pixelsPerUnit)
{
    if (!(base > 0) || !(pixelsPerUnit > 0) || !std::isfinite(base * pixelsPerUnit))
        return 0.0;
    double k = std::floor(kMinTickSpacing / (base * pixelsPerUnit)) + 1;
    while (k > 1 && (k - 1) * base * pixelsPerUnit > kMinTickSpacing)
        --k;
    while (k * base * pixelsPerUnit <= kMinTickSpacing)
        ++k;
    return k * base;
}

double decadeBelow(double span) { return std::pow(10.0, std::floor(std::log10(span) - 1)); }

void uniformVertical(const CScreenState& s, const PixelRect& plot, std::vector<GridLine>& out)
{
    const double span = labelSpan(s.xLabelLeft, s.xLabelRight);
    const double scale = plot.width() / span;
    const double step = tickStep(span, scale);
    if (step <= 0)
        return;
    const double first = std::ceil(s.xLabelLeft / step) * step;
    const double firstLine = std::ceil((std::fabs(first) - std::fabs(s.xLabelLeft)) * scale + plot.left);
    for (int k = 0;; ++k) {
        const double x = std::ceil(firstLine + k * step * scale);
        if (x > plot.right)
            break;
        out.push_back({toInt(x), true, toInt(first + k * step)});
    }
}

void sectionedVertical(const CScreenState& s, const PixelRect& plot, bool printing, std::vector<GridLine>& out)
{
    if (s.xSpan == 0)
        return;
    const double base = std::round(decadeBelow(labelSpan(s.xLabelLeft, s.xLabelRight)));
    double left = plot.left;
    for (const AxisSection& a : s.axisSections) {
        if (a.realLength == 0)
            continue;
        if (!(base > 0))
            continue;
        const double width = static_cast<double>(plot.width()) / s.xSpan * a.sampleCount;
        if (!std::isfinite(width))
            return;
        const double right = left + (printing ? std::trunc(width) : std::trunc(width + 1.5));
        const double scale = width / a.realLength;
        const double step = stepFromBase(base, scale);
        if (step > 0) {
            const double first = std::ceil(a.realStart / step) * step;
            const double offset = printing ? std::ceil((first - a.realStart) * scale)
                                           : std::trunc((first - a.realStart) * scale + 0.5);
            for (int k = 0;; ++k) {
                const double at = left + offset + k * step * scale;
                const double x = printing ? std::ceil(at) : std::trunc(at + 0.5);
                if (x > right)
                    break;
                out.push_back({toInt(x), true, toInt(first + k * step)});
            }
        }
        out.push_back({toInt(right), false, 0});
        left = right;
    }
}

} // namespace

std::string tickLabel(double value) { return std::to_string(toInt(value)); }

PixelRect plotRect(const PixelRect& start, int style, const LabelExtents& text, bool printing)
{
    int left = kMargin;
    int bottom = kMargin;
    if (style & CScreenState::kStyleYLabels) {
        left = text.yLabelWidth + kLabelGap;
        if (printing)
            left = static_cast<int>(left * kPrintLabelFactor);
    }
    if (style & CScreenState::kStyleXLabels) {
        bottom = text.xLabelHeight + kLabelGap;
        if (printing)
            bottom = static_cast<int>(bottom * kPrintLabelFactor);
    }
    return {start.left + left, start.top + kMargin, start.right - kMargin, start.bottom - bottom};
}

double labelSpan(double low, double high)
{
    const bool sameSign = (low >= 0) == (high >= 0);
    const double span = sameSign ? std::fabs(high) - std::fabs(low) : std::fabs(high) + std::fabs(low);
    // Two negative ends would give a negative span; the distance between them is meant.
    return std::fabs(span);
}

double tickStep(double span, double pixelsPerUnit)
{
    if (!(span > 0) || !std::isfinite(span))
        return 0.0;
    double base = std::trunc(decadeBelow(span));
    if (base < 1)
        base = 1;
    return stepFromBase(base, pixelsPerUnit);
}

DataMapping::DataMapping(const CScreenState& s, const PixelRect& plot)
    : plot(plot), xMin(s.xMin), xMax(s.xMax), xSpan(s.xSpan), yMin(s.yMin), yMax(s.yMax), ySpan(s.ySpan),
      rangeLeft(std::min(s.xMin, s.xMax)), rangeRight(std::max(s.xMin, s.xMax)),
      rangeBottom(std::min(s.yMin, s.yMax)), rangeTop(std::max(s.yMin, s.yMax))
{
}

namespace {

// ceil(distance x extent / span) in exact integer arithmetic.
int scaledCeil(long long distance, long long extent, long long span)
{
    if (span == 0)
        return 0;
    long long n = distance * extent;
    if (span < 0) {
        n = -n;
        span = -span;
    }
    const long long q = n / span;
    const long long r = n % span;
    const long long c = r > 0 ? q + 1 : q;   // division truncates toward zero; ceil rounds up
    return static_cast<int>(std::clamp<long long>(c, INT_MIN / 2, INT_MAX / 2));
}

} // namespace

int DataMapping::pixelX(int x) const
{
    return plot.left + scaledCeil(std::llabs(static_cast<long long>(x) - xMin), plot.width(), xSpan);
}

int DataMapping::pixelY(int y) const
{
    return plot.top + scaledCeil(std::llabs(static_cast<long long>(yMax) - y), plot.height(), ySpan);
}

bool DataMapping::inRange(DataPoint p) const
{
    return rangeLeft <= p.x && p.x <= rangeRight && rangeBottom <= p.y && p.y <= rangeTop;
}

GridLayout gridLayout(const CScreenState& s, const PixelRect& plot, bool printing)
{
    GridLayout grid;
    if (plot.width() < 1 || plot.height() < 1)
        return grid;

    const double ySpanLabels = labelSpan(s.yLabelBottom, s.yLabelTop);
    const double yScale = plot.height() / ySpanLabels;
    const double yStep = tickStep(ySpanLabels, yScale);
    if (yStep > 0) {
        const double first = std::trunc(s.yLabelTop / yStep) * yStep;
        const double firstLine = std::ceil((std::fabs(s.yLabelTop) - std::fabs(first)) * yScale + plot.top);
        for (int k = 0;; ++k) {
            const double y = std::ceil(firstLine + k * yStep * yScale);
            if (y > plot.bottom)
                break;
            grid.horizontal.push_back({toInt(y), true, toInt(first - k * yStep)});
        }
    }

    if (s.sectioned)
        sectionedVertical(s, plot, printing, grid.vertical);
    else
        uniformVertical(s, plot, grid.vertical);
    return grid;
}

std::vector<std::optional<int>> xLabelLefts(const std::vector<GridLine>& vertical, const std::vector<int>& widths,
                                            int plotRight)
{
    std::vector<std::optional<int>> lefts(vertical.size());
    std::size_t last = vertical.size();
    for (std::size_t i = 0; i < vertical.size() && i < widths.size(); ++i) {
        if (!vertical[i].labelled)
            continue;
        lefts[i] = vertical[i].pos - widths[i] / 2;
        last = i;
    }
    if (last == vertical.size())
        return lefts;
    int& lastLeft = *lefts[last];
    lastLeft = std::min(lastLeft, plotRight - widths[last]);
    for (std::size_t i = last; i-- > 0;) {
        if (!lefts[i])
            continue;
        if (*lefts[i] + widths[i] >= lastLeft)
            lefts[i].reset();
        else
            break;
    }
    return lefts;
}

void seriesPath(const CArrPoints& series, const DataMapping& map, bool straight, SeriesPath& out)
{
    out.kind = PathKind::Nothing;
    out.points.clear();
    out.nameShown = false;
    const auto& pts = series.points;
    std::size_t i = 0;
    while (i < pts.size() && !map.inRange(pts[i]))
        ++i;
    if (i == pts.size())
        return;

    PixelPoint prev = map.pixel(pts[i]);
    out.firstX = prev.x;
    out.points.push_back(prev);
    if (pts.size() == 1) {
        out.kind = PathKind::Pixel;
    } else {
        out.points.reserve(straight ? pts.size() - i : 2 * (pts.size() - i));
        for (std::size_t j = i + 1; j < pts.size(); ++j) {
            const PixelPoint next = map.pixel(pts[j]);
            if (!straight)
                out.points.push_back({prev.x, next.y});
            out.points.push_back(next);
            prev = next;
        }
        if (out.points.size() > 1)
            out.kind = PathKind::Lines;
    }
    if (series.named() && map.inRange(pts.back())) {
        out.nameShown = true;
        out.namePoint = map.pixel(pts.back());
    }
}

std::optional<DataPoint> clickToData(const CScreenState& s, const PixelRect& plot, MouseButton button,
                                     int ownerX, int ownerY, int screenY)
{
    if (!plot.contains(ownerX, ownerY))
        return std::nullopt;
    const bool left = button == MouseButton::Left;
    const double sx = left ? s.xSpan : std::abs(s.xMax) + std::abs(s.xMin);
    const double sy = left ? s.ySpan : std::abs(s.yMax) + std::abs(s.yMin);
    const double x = std::trunc((ownerX - plot.left) * sx / plot.width());
    const double y = std::trunc(s.yMax - (screenY - kMargin) * sy / plot.height());
    return DataPoint{toInt(x), toInt(y)};
}

} // namespace screen_geometry
