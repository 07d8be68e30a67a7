#include "display/render/screen_renderer.h"

#include "display/render/pixel_runs.h"
#include "resources/i18n/ui_translation.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

using namespace screen_geometry;

const QColor kGridColor(50, 50, 50);
const QColor kLabelColor(127, 127, 127);
const QColor kPrintNameBox(50, 50, 50);

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

CScreenRenderer::NameText nameText(const QFont& font, const std::string& name)
{
    const QFontMetrics m(font);
    const QString s = translatedText("TraceNames", name);
    return {s, m.horizontalAdvance(s), m.height(), m.ascent(), QStaticText()};
}

// The name box: left edge half the text width before the point, top a third of the text height above it.
QRect nameBox(const CScreenRenderer::NameText& t, PixelPoint at)
{
    return QRect(at.x - t.width / 2, at.y - t.height / 3, t.width, t.height);
}

void drawName(QPainter& p, const QFont& font, const CScreenRenderer::NameText& t, PixelPoint at, const QColor& box,
              const QColor& text)
{
    const QRect r = nameBox(t, at);
    p.fillRect(r, box);
    p.setFont(font);
    p.setPen(text);
    if (t.laidOut.text().isEmpty())
        p.drawText(QPoint(r.left(), r.top() + t.ascent), t.text);
    else
        p.drawStaticText(r.topLeft(), t.laidOut);   // its position is the top of the line
}

// Calls `paint` for every visible series of `layer`, in the order they were added.
template <class Paint>
void forVisibleIn(const CScreenState& state, ScreenLayer layer, Paint&& paint)
{
    for (const CArrPoints& series : state.series)
        if (series.layer == layer && series.visible())
            paint(series);
}

bool sameSeries(const CArrPoints& a, const CArrPoints& b)
{
    return a.layer == b.layer && a.flags == b.flags && a.color == b.color && a.name == b.name && a.points == b.points;
}

// Whether the series of the state that `inLayers` picks are those of `drawn`, in the same order.
template <class Pick>
bool unchanged(const CScreenState& state, const std::vector<CArrPoints>& drawn, Pick&& inLayers)
{
    std::size_t k = 0;
    for (const CArrPoints& series : state.series) {
        if (!inLayers(series.layer))
            continue;
        if (k >= drawn.size() || !sameSeries(series, drawn[k]))
            return false;
        ++k;
    }
    return k == drawn.size();
}

template <class Pick>
void keep(const CScreenState& state, std::vector<CArrPoints>& drawn, Pick&& inLayers)
{
    drawn.clear();
    for (const CArrPoints& series : state.series)
        if (inLayers(series.layer))
            drawn.push_back(series);
}

bool isForeground(ScreenLayer layer) { return layer == ScreenLayer::Foreground; }
bool isTraceLayer(ScreenLayer layer) { return layer != ScreenLayer::Foreground; }

pixel_runs::Canvas canvasOf(QImage& image)
{
    return {reinterpret_cast<std::uint32_t*>(image.bits()), static_cast<int>(image.bytesPerLine() / 4), image.width(),
            image.height()};
}

PixelRect bounding(const PixelRect& a, const PixelRect& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

PixelRect bounding(const PixelRect& start, const std::vector<PixelRect>& rects)
{
    PixelRect r = start;
    for (const PixelRect& x : rects)
        r = bounding(r, x);
    return r;
}

// Past this share of the picture, the grid is copied back whole: row copies beat scattered pixels.
constexpr std::size_t kWholeCopyShare = 8;

PixelRect toPixelRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// An RGB32 picture whose rows are an odd number of cache lines apart. At a power-of-two-ish stride the
// rows under a vertical line share a handful of cache sets and evict each other; lines run down the
// columns all the time here. The picture owns its buffer (shared copies keep it alive).
QImage paddedImage(QSize size)
{
    constexpr qsizetype kLine = 64;
    qsizetype lines = (static_cast<qsizetype>(size.width()) * 4 + kLine - 1) / kLine;
    if (lines % 2 == 0)
        ++lines;
    const qsizetype stride = lines * kLine;
    void* data = std::aligned_alloc(kLine, static_cast<std::size_t>(stride * std::max(size.height(), 1)));
    if (!data)
        return QImage(size, QImage::Format_RGB32);
    return QImage(static_cast<uchar*>(data), size.width(), size.height(), stride, QImage::Format_RGB32,
                  [](void* p) { std::free(p); }, data);
}

void copyWhole(const QImage& from, const pixel_runs::Canvas& to)
{
    if (from.bytesPerLine() == to.stride * 4) {
        std::memcpy(to.bits, from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
        return;
    }
    for (int y = 0; y < to.height; ++y)
        std::memcpy(to.bits + static_cast<std::ptrdiff_t>(y) * to.stride, from.constScanLine(y),
                    static_cast<std::size_t>(to.width) * 4);
}

} // namespace

CScreenRenderer::CScreenRenderer(Lines lines) : lines(lines), axis(screenFont()), printing(screenFont()) {}

void CScreenRenderer::resize(QSize size)
{
    size = size.expandedTo(QSize(0, 0));
    back = size.isEmpty() ? QImage() : paddedImage(size);
    if (!back.isNull())
        back.fill(Qt::black);
    // The grid layer is made when it is first needed (makeGridLayer).
    grid = QImage();
    gridGrey = {};
    gridLayerDrawn = false;
    // The layers' bookkeeping belongs to the old picture.
    forget(traceDamage);
    foreDamage = {};
    gridValid = false;
    freshBuffers = true;
}

PixelRect CScreenRenderer::plotRect(const CScreenState& state, const PixelRect& start, bool print) const
{
    // Measuring text is slow next to a drawing; the labels' extents change only with their values.
    MeasuredLabels& m = measured[print ? 1 : 0];
    if (!m.valid || m.top != state.yLabelTop || m.bottom != state.yLabelBottom) {
        m = {true, state.yLabelTop, state.yLabelBottom, measure(state, print ? printing : axis)};
    }
    return screen_geometry::plotRect(start, state.style, m.extents, print);
}

int CScreenRenderer::foregroundX(int k) const
{
    return k >= 0 && k < static_cast<int>(foreX.size()) ? foreX[static_cast<std::size_t>(k)] : 0;
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
    const MappingKey mapping{plot, state.xMin, state.xMax, state.xSpan, state.yMin, state.yMax, state.ySpan, straight};
    const bool fresh = freshBuffers;
    const bool newGrid = drawGridIfChanged(state, plot);
    // Traces gathered in capture mode are cleared by the first normal drawing, even of the same traces.
    const bool gathered = traceDamage.everything && !state.captureMode;
    const bool tracesDue = fresh || newGrid || gathered || !(mapping == mappingKey) ||
                           !unchanged(state, drawnTraces, isTraceLayer);
    const bool foreDue = tracesDue || !unchanged(state, drawnForeground, isForeground);
    changed = {};
    if (!foreDue) {
        freshBuffers = false;
        return true;
    }

    canvas = canvasOf(back);   // taken before any painter opens on the buffer
    const PixelRect whole{0, 0, back.width(), back.height()};
    changed = bounding({}, foreDamage.rects);
    putForegroundBack();
    if (tracesDue) {
        if (fresh || newGrid || (traceDamage.everything && !state.captureMode))
            changed = whole;
        else if (!state.captureMode)
            changed = bounding(changed, traceDamage.rects);
        if (fresh || newGrid) {
            // A new grid covers the whole picture: drawn there at once, its layer when first needed.
            drawGrid(back, state, plot);
            canvas = canvasOf(back);
            forget(traceDamage);
        } else if (!state.captureMode) {
            putGridBack(state, plot);
        } else {
            // The gathered traces are all taken away at once by the next normal drawing: their rects
            // need not be kept (nor grow with every capture).
            traceDamage.rects.clear();
        }
        // In capture mode the traces gather: all of them are under the next normal drawing's traces.
        for (const ScreenLayer layer : {ScreenLayer::Background, ScreenLayer::Traces})
            drawLayer(state, layer, map, straight, traceDamage, false);
        changed = bounding(changed, traceDamage.rects);
        traceDamage.everything = traceDamage.everything || state.captureMode;
        mappingKey = mapping;
        keep(state, drawnTraces, isTraceLayer);
        ++traceDraws;
    }
    drawLayer(state, ScreenLayer::Foreground, map, straight, foreDamage, true);
    changed = bounding(changed, foreDamage.rects);
    keep(state, drawnForeground, isForeground);
    open.reset();
    freshBuffers = false;
    return true;
}

// In capture mode the grid of a picture already drawn stays as it is; fresh buffers get it even then.
void CScreenRenderer::forget(Damage& damage)
{
    damage.rects.clear();   // the capacity stays for the next drawing
    damage.saved.clear();
    damage.everything = false;
}

bool CScreenRenderer::drawGridIfChanged(const CScreenState& state, const PixelRect& plot)
{
    if (state.captureMode && !freshBuffers)
        return false;
    GridKey key{back.size(),      state.style & 7,   plot,        state.yLabelTop, state.yLabelBottom,
                state.xLabelLeft, state.xLabelRight, state.xSpan, state.sectioned, state.axisSections};
    if (gridValid && key == gridKey)
        return false;
    gridKey = std::move(key);
    gridValid = true;
    gridLayerDrawn = false;
    gridLayerWanted = false;
    return true;
}

void CScreenRenderer::makeGridLayer(const CScreenState& state, const PixelRect& plot)
{
    if (gridLayerDrawn)
        return;
    if (grid.size() != back.size())
        grid = paddedImage(back.size());
    drawGrid(grid, state, plot);
    // The grid is all greys: a quarter of the bytes to read where traces are taken away.
    gridGrey = pixel_runs::greyCopy(canvasOf(grid));
    gridLayerDrawn = true;
}

void CScreenRenderer::putGridBack(const CScreenState& state, const PixelRect& plot)
{
    if (!traceDamage.everything && traceDamage.rects.empty())
        return;
    if (!gridLayerDrawn && !gridLayerWanted) {
        // The first time after a new grid (the start's first traces) the grid is drawn whole once
        // more: cheaper than making the layer, which the first frame does not need.
        drawGrid(back, state, plot);
        canvas = canvasOf(back);
        forget(traceDamage);
        changed = {0, 0, back.width(), back.height()};
        gridLayerWanted = true;
        return;
    }
    makeGridLayer(state, plot);
    std::size_t area = 0;
    for (const PixelRect& r : traceDamage.rects)
        area += static_cast<std::size_t>(r.width()) * static_cast<std::size_t>(r.height());
    const std::size_t whole = static_cast<std::size_t>(back.width()) * static_cast<std::size_t>(back.height());
    if (traceDamage.everything || area > whole / kWholeCopyShare) {
        copyWhole(grid, canvas);
    } else {
        if (!gridGrey.bits.empty())
            pixel_runs::copy(gridGrey, canvas, traceDamage.rects.data(), traceDamage.rects.size());
        else
            pixel_runs::copy(canvasOf(grid), canvas, traceDamage.rects.data(), traceDamage.rects.size());
    }
    forget(traceDamage);
}

// The foreground's pixels were saved one rect after another as it was drawn; they go back in reverse,
// so that where two of its series overlap, what lay under both comes back last.
void CScreenRenderer::putForegroundBack()
{
    const pixel_runs::Canvas& to = canvas;
    std::vector<std::size_t> starts;
    starts.reserve(foreDamage.rects.size());
    std::size_t at = 0;
    for (const PixelRect& r : foreDamage.rects) {
        starts.push_back(at);
        const PixelRect c = pixel_runs::clipped(to, r);
        if (!c.empty())
            at += static_cast<std::size_t>(c.width()) * static_cast<std::size_t>(c.height());
    }
    for (std::size_t i = foreDamage.rects.size(); i-- > 0;)
        pixel_runs::restore(to, foreDamage.rects[i], foreDamage.saved, starts[i]);
    forget(foreDamage);
}

void CScreenRenderer::drawLayer(const CScreenState& state, ScreenLayer layer, const DataMapping& map, bool straight,
                                Damage& damage, bool saveUnder)
{
    const bool fore = layer == ScreenLayer::Foreground;
    if (fore) {
        std::size_t count = 0;
        for (const CArrPoints& series : state.series)
            count += series.layer == ScreenLayer::Foreground;
        foreX.resize(count);
    }
    std::size_t k = 0;   // the next foreground series
    for (const CArrPoints& series : state.series) {
        if (series.layer != layer)
            continue;
        const bool shown = series.visible();
        if (fore && !series.points.empty())
            foreX[k] = map.pixelX(series.points.front().x);
        if (shown) {
            drawSeries(series, map, straight || fore, damage, saveUnder);
            if (fore && !path.points.empty())
                foreX[k] = path.firstX;
        }
        k += fore;
    }
}

QPainter& CScreenRenderer::painter()
{
    if (!open)
        open.emplace(&back);
    return *open;
}

void CScreenRenderer::mark(Damage& damage, const PixelRect* rects, std::size_t count, bool saveUnder)
{
    for (const PixelRect* r = rects; r != rects + count; ++r) {
        const PixelRect inside = pixel_runs::clipped(canvas, *r);
        if (inside.empty())
            continue;
        if (saveUnder)
            pixel_runs::save(canvas, inside, damage.saved);
        damage.rects.push_back(inside);
    }
}

void CScreenRenderer::drawGrid(QImage& target, const CScreenState& state, const PixelRect& plot)
{
    target.fill(Qt::black);
    // Without the grid the background is plain black rather than a stale picture.
    if (state.style & CScreenState::kStyleGrid) {
        QPainter g(&target);
        drawGridLayout(g, axis, gridLayout(state, plot, false), plot, state.style, thinPen(kGridColor), kLabelColor);
    }
}

void CScreenRenderer::drawSeries(const CArrPoints& series, const DataMapping& map, bool straight, Damage& damage,
                                 bool saveUnder)
{
    seriesPath(series, map, straight, path);
    const QColor color = toQColor(series.color);
    if (path.kind == PathKind::Pixel) {
        const PixelPoint p = path.points.front();
        const PixelRect r = pixel_runs::clipped(canvas, {p.x, p.y, p.x + 1, p.y + 1});
        mark(damage, &r, 1, saveUnder);
        if (!r.empty())
            pixel_runs::fill(canvas, &r, 1, color.rgb());
    } else if (path.kind == PathKind::Lines) {
        runs.clear();
        if (lines == Lines::Direct && pixel_runs::polylineRuns(path.points, back.width(), back.height(), runs)) {
            if (saveUnder)
                mark(damage, runs.data(), runs.size(), true);
            else
                damage.rects.insert(damage.rects.end(), runs.begin(), runs.end());   // inside already
            pixel_runs::fill(canvas, runs.data(), runs.size(), color.rgb());
        } else {
            // A line reaching outside the buffer stays within its points' bounds; the pen may add a
            // pixel at a turn.
            PixelRect box{path.points.front().x, path.points.front().y, path.points.front().x, path.points.front().y};
            qpoints.resize(path.points.size());
            for (std::size_t i = 0; i < path.points.size(); ++i) {
                const PixelPoint p = path.points[i];
                qpoints[i] = QPoint(p.x, p.y);
                box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x), std::max(box.bottom, p.y)};
            }
            const PixelRect around{box.left - 1, box.top - 1, box.right + 2, box.bottom + 2};
            mark(damage, &around, 1, saveUnder);
            QPainter& p = painter();
            p.setPen(thinPen(color));
            p.drawPolyline(qpoints.data(), static_cast<int>(qpoints.size()));
        }
    }
    if (path.nameShown) {
        // Names are few and fixed: each is measured once.
        auto known = names.find(series.name);
        if (known == names.end()) {
            NameText t = nameText(axis, series.name);
            t.laidOut.setText(t.text);
            t.laidOut.setTextFormat(Qt::PlainText);
            t.laidOut.prepare(QTransform(), axis);
            known = names.emplace(series.name, std::move(t)).first;
        }
        // Glyphs may reach a little past the advance the box is measured by.
        const QRect box = nameBox(known->second, path.namePoint).adjusted(-2, -2, 2, 2);
        const PixelRect around = toPixelRect(box);
        mark(damage, &around, 1, saveUnder);
        const QColor complement(255 - series.color.r, 255 - series.color.g, 255 - series.color.b);
        drawName(painter(), axis, known->second, path.namePoint, color, complement);
    }
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
                drawName(painter, printing, nameText(printing, series.name), p.namePoint, kPrintNameBox, Qt::white);
        });
    }
    painter.restore();
}
