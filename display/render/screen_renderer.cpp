#include "display/render/screen_renderer.h"

#include "resources/i18n/ui_translation.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace {

using namespace screen_geometry;

const QColor kGridColor(50, 50, 50);
const QColor kLabelColor(127, 127, 127);
const QColor kPrintNameBox(50, 50, 50);
constexpr int kStripWidth = 8;

// "Arial" with a cell height of 12 pixels, as the screens were designed with: an em of 11 pixels.
QFont screenFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// One-pixel solid pen; a flat cap leaves the end point out, so a line covers exactly its span.
QPen thinPen(const QColor& c)
{
    QPen pen(c, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    return pen;
}

LabelExtents measure(const CScreenState& s, const QFont& font)
{
    const QFontMetrics m(font);
    LabelExtents e;
    e.yLabelWidth = std::max(m.horizontalAdvance(QString::fromStdString(tickLabel(s.yLabelBottom))),
                             m.horizontalAdvance(QString::fromStdString(tickLabel(s.yLabelTop))));
    e.xLabelHeight = m.height();
    return e;
}

void drawYLabel(QPainter& p, const QFontMetrics& m, int plotLeft, int y, int value)
{
    const QString text = QString::number(value);
    const int top = y - m.height() / 2;
    p.drawText(QPoint(plotLeft - m.horizontalAdvance(text), top + m.ascent()), text);
}

void drawGridLayout(QPainter& p, const QFont& font, const GridLayout& layout, const PixelRect& plot, int style,
                    const QPen& linePen, const QColor& textColor)
{
    p.setPen(linePen);
    for (const GridLine& h : layout.horizontal)
        p.drawLine(plot.left, h.pos, plot.right, h.pos);
    for (const GridLine& v : layout.vertical)
        p.drawLine(v.pos, plot.top, v.pos, plot.bottom);

    p.setFont(font);
    p.setPen(textColor);
    const QFontMetrics m(font);
    if (style & CScreenState::kStyleYLabels)
        for (const GridLine& h : layout.horizontal)
            drawYLabel(p, m, plot.left, h.pos, h.value);
    if (style & CScreenState::kStyleXLabels) {
        std::vector<int> widths;
        widths.reserve(layout.vertical.size());
        for (const GridLine& v : layout.vertical)
            widths.push_back(v.labelled ? m.horizontalAdvance(QString::number(v.value)) : 0);
        const auto lefts = xLabelLefts(layout.vertical, widths, plot.right);
        for (std::size_t i = 0; i < lefts.size(); ++i)
            if (lefts[i])
                p.drawText(QPoint(*lefts[i], plot.bottom + m.ascent()), QString::number(layout.vertical[i].value));
    }
}

// The name box: left edge half the text width before the point, top a third of the text height above it.
void drawName(QPainter& p, const QFont& font, const std::string& name, PixelPoint at, const QColor& box,
              const QColor& text)
{
    const QString s = translatedText("TraceNames", name);
    const QFontMetrics m(font);
    const int w = m.horizontalAdvance(s);
    const int h = m.height();
    const int left = at.x - w / 2;
    const int top = at.y - h / 3;
    p.fillRect(QRect(left, top, w, h), box);
    p.setFont(font);
    p.setPen(text);
    p.drawText(QPoint(left, top + m.ascent()), s);
}

// Calls `paint` for every visible series of `layer`, in the order they were added.
template <class Paint>
void forVisibleIn(const CScreenState& state, ScreenLayer layer, Paint&& paint)
{
    for (const CArrPoints& series : state.series)
        if (series.layer == layer && series.visible())
            paint(series);
}

} // namespace

CScreenRenderer::CScreenRenderer() : axis(screenFont()), printing(screenFont()) {}

void CScreenRenderer::resize(QSize size)
{
    size = size.expandedTo(QSize(0, 0));
    back = QImage(size, QImage::Format_RGB32);
    grid = QImage(size, QImage::Format_RGB32);
    for (QImage* img : {&back, &grid})
        if (!img->isNull())
            img->fill(Qt::black);
    // The saved columns belong to the old picture.
    for (Strip& strip : strips)
        strip.image = QImage();
    gridValid = false;
    freshBuffers = true;
}

PixelRect CScreenRenderer::plotRect(const CScreenState& state, const PixelRect& start, bool print) const
{
    return screen_geometry::plotRect(start, state.style, measure(state, print ? printing : axis), print);
}

int CScreenRenderer::foregroundX(int k) const
{
    return k >= 0 && k < static_cast<int>(strips.size()) ? strips[static_cast<std::size_t>(k)].x : 0;
}

bool CScreenRenderer::draw(const CScreenState& state)
{
    if (back.isNull() || back.width() < 1 || back.height() < 1)
        return false;
    const PixelRect local{0, 0, back.width(), back.height()};
    const PixelRect plot = plotRect(state, local, false);
    if (plot.width() < 1 || plot.height() < 1)
        return false;

    const DataMapping map(state, plot);
    const bool straight = (state.style & CScreenState::kStyleStraightLines) != 0;
    for (const ScreenLayer layer : kLayerOrder) {
        if (layer == ScreenLayer::Background)
            drawBackground(state, plot);
        else if (layer == ScreenLayer::Foreground)
            saveForegroundStrips(state, map);
        std::optional<QPainter> p;   // opened only for a layer with something to draw
        std::size_t k = 0;           // the strip of the next foreground series
        for (const CArrPoints& series : state.series) {
            if (series.layer != layer)
                continue;
            const bool shown = series.visible();
            if (shown) {
                if (!p)
                    p.emplace(&back);
                drawSeries(*p, series, map, straight || layer == ScreenLayer::Foreground);
            }
            if (layer == ScreenLayer::Foreground) {
                if (shown && !path.points.empty())
                    strips[k].x = path.firstX;
                ++k;
            }
        }
    }
    freshBuffers = false;
    return true;
}

void CScreenRenderer::drawBackground(const CScreenState& state, const PixelRect& plot)
{
    if (state.captureMode && !freshBuffers) {
        // Only the columns under the previous foreground lines are repaired; every trace drawn stays.
        for (const Strip& strip : strips)
            restoreStrip(strip.image, strip.x - kStripWidth / 2);
        return;
    }
    GridKey key{back.size(),      state.style & 7,   plot,        state.yLabelTop, state.yLabelBottom,
                state.xLabelLeft, state.xLabelRight, state.xSpan, state.sectioned, state.axisSections};
    if (!gridValid || !(key == gridKey)) {
        drawGrid(state, plot);
        gridKey = std::move(key);
        gridValid = true;
    }
    std::memcpy(back.bits(), grid.constBits(), static_cast<std::size_t>(grid.sizeInBytes()));
}

void CScreenRenderer::saveForegroundStrips(const CScreenState& state, const DataMapping& map)
{
    std::size_t count = 0;
    for (const CArrPoints& series : state.series)
        count += series.layer == ScreenLayer::Foreground;
    strips.resize(count);
    std::size_t k = 0;
    for (const CArrPoints& series : state.series) {
        if (series.layer != ScreenLayer::Foreground)
            continue;
        Strip& strip = strips[k++];
        if (strip.image.size() != QSize(kStripWidth, back.height()))
            strip.image = QImage(QSize(kStripWidth, back.height()), QImage::Format_RGB32);
        if (!series.points.empty())
            strip.x = map.pixelX(series.points.front().x);
        saveStrip(strip.image, strip.x - kStripWidth / 2);
    }
}

void CScreenRenderer::drawGrid(const CScreenState& state, const PixelRect& plot)
{
    grid.fill(Qt::black);
    // Without the grid the background is plain black rather than a stale picture.
    if (!(state.style & CScreenState::kStyleGrid))
        return;
    QPainter g(&grid);
    drawGridLayout(g, axis, gridLayout(state, plot, false), plot, state.style, thinPen(kGridColor), kLabelColor);
}

void CScreenRenderer::drawSeries(QPainter& p, const CArrPoints& series, const DataMapping& map, bool straight)
{
    seriesPath(series, map, straight, path);
    const QColor color = toQColor(series.color);
    if (path.kind != PathKind::Nothing) {
        p.setPen(thinPen(color));
        if (path.kind == PathKind::Pixel) {
            p.drawPoint(path.points.front().x, path.points.front().y);
        } else {
            qpoints.resize(path.points.size());
            for (std::size_t i = 0; i < path.points.size(); ++i)
                qpoints[i] = QPoint(path.points[i].x, path.points[i].y);
            p.drawPolyline(qpoints.data(), static_cast<int>(qpoints.size()));
        }
    }
    if (path.nameShown) {
        const QColor complement(255 - series.color.r, 255 - series.color.g, 255 - series.color.b);
        drawName(p, axis, series.name, path.namePoint, color, complement);
    }
}

void CScreenRenderer::saveStrip(QImage& strip, int x) const
{
    const int from = std::max(x, 0);
    const int to = std::min(x + kStripWidth, back.width());
    if (from >= to || strip.isNull())
        return;
    const std::size_t bytes = static_cast<std::size_t>(to - from) * 4;
    for (int y = 0; y < back.height(); ++y)
        std::memcpy(strip.scanLine(y) + (from - x) * 4, back.constScanLine(y) + from * 4, bytes);
}

void CScreenRenderer::restoreStrip(const QImage& strip, int x)
{
    const int from = std::max(x, 0);
    const int to = std::min(x + kStripWidth, back.width());
    if (from >= to || strip.isNull())
        return;
    const std::size_t bytes = static_cast<std::size_t>(to - from) * 4;
    for (int y = 0; y < back.height(); ++y)
        std::memcpy(back.scanLine(y) + from * 4, strip.constScanLine(y) + (from - x) * 4, bytes);
}

void CScreenRenderer::print(const CScreenState& state, QPainter& painter, int deviceWidthMm, int pageHeight) const
{
    const PixelRect page{0, 0, deviceWidthMm * 4 - 120, pageHeight};
    const PixelRect plot = plotRect(state, page, true);
    if (page.empty() || plot.width() < 1 || plot.height() < 1)
        return;

    painter.save();
    // The caller's y axis points up; the page is drawn at negated y, which keeps the text upright.
    painter.scale(1, -1);
    QPen pen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    const DataMapping map(state, plot);
    const bool straight = (state.style & CScreenState::kStyleStraightLines) != 0;
    SeriesPath p;
    std::vector<QLine> lines;
    for (const ScreenLayer layer : kLayerOrder) {
        if (layer == ScreenLayer::Background && !state.captureMode && (state.style & CScreenState::kStyleGrid)) {
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRect(page.left, page.top, page.width(), page.height()));
            drawGridLayout(painter, printing, gridLayout(state, plot, true), plot, state.style, pen, Qt::black);
        }
        forVisibleIn(state, layer, [&](const CArrPoints& series) {
            seriesPath(series, map, straight || layer == ScreenLayer::Foreground, p);
            painter.setPen(pen);
            if (p.kind == PathKind::Pixel) {
                painter.drawPoint(p.points.front().x, p.points.front().y);
            } else if (p.kind == PathKind::Lines) {
                // Separate segments: a wide pen through one long polyline of noisy data is slow to stroke.
                lines.clear();
                for (std::size_t k = 1; k < p.points.size(); ++k)
                    lines.emplace_back(p.points[k - 1].x, p.points[k - 1].y, p.points[k].x, p.points[k].y);
                painter.drawLines(lines.data(), static_cast<int>(lines.size()));
            }
            if (p.nameShown)
                drawName(painter, printing, series.name, p.namePoint, kPrintNameBox, Qt::white);
        });
    }
    painter.restore();
}
