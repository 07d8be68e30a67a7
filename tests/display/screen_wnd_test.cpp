#include "display/main_screen_series.h"
#include "display/preview_series.h"
#include "display/render/reflectogram_image.h"
#include "display/render/screen_renderer.h"
#include "display/screen_geometry.h"
#include "display/widgets/screen_wnd.h"
#include "display/widgets/static_splitter.h"
#include "document/varnel_doc.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

using namespace screen_geometry;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrid = qRgb(50, 50, 50);
const QRgb kCursor1 = qRgb(200, 200, 255);
const QRgb kCursor2 = qRgb(200, 200, 0);
const QRgb kL1 = qRgb(0, 200, 255);

QRgb at(const CScreenWnd& s, int x, int y) { return s.image().pixel(x, y) | 0xff000000u; }

// The main screen of a 600 x 300 chart with L1 flat at `level`, cursor 1 at sample `c1`, cursor 2 at `c2`.
struct MainScreen {
    MainScreen()
    {
        doc.scale = 62.5;
        main_screen::configure(screen.state(), doc);
        screen.resizeScreen(0, 0, 600, 300);
    }
    void set(int level, int c1, int c2)
    {
        doc.traces[L1].samples.fill(static_cast<std::uint8_t>(level));
        doc.cursor1 = c1 * 0.125;
        doc.cursor2 = c2 * 0.125;
        main_screen::rebuild(screen.state(), doc);
    }
    DataMapping map() const { return DataMapping(screen.state(), screen.plotRect()); }
    CVarnelDoc doc;
    CScreenWnd screen;
};

int countColor(const QImage& img, QRgb color)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) | 0xff000000u) == color;
    return n;
}

} // namespace

TEST(ScreenWnd, CursorAndGridLinesLieWhereTheGeometrySays)
{
    MainScreen m;
    m.set(20, 100, 300);
    m.screen.draw();
    const PixelRect plot = m.screen.plotRect();
    ASSERT_GT(plot.width(), 400);
    const DataMapping map = m.map();

    const int x1 = map.pixelX(100), x2 = map.pixelX(300);
    EXPECT_EQ(m.screen.renderer().foregroundX(0), x1);
    EXPECT_EQ(m.screen.renderer().foregroundX(1), x2);
    for (int y = plot.top + 20; y < plot.bottom; ++y) {
        ASSERT_EQ(at(m.screen, x1, y), kCursor1) << y;
        ASSERT_EQ(at(m.screen, x2, y), kCursor2) << y;
    }
    // The trace lies at its level from its first column; the cursor lines are drawn over it.
    const int traceY = map.pixelY(20);
    EXPECT_EQ(at(m.screen, x1 + 3, traceY), kL1);
    EXPECT_EQ(at(m.screen, x1, traceY), kCursor1);

    const GridLayout grid = gridLayout(m.screen.state(), plot, false);
    ASSERT_GE(grid.horizontal.size(), 6u);
    const int freeX = x1 + 5;
    for (const GridLine& h : grid.horizontal) {
        ASSERT_NE(h.pos, traceY);
        EXPECT_EQ(at(m.screen, freeX, h.pos), kGrid) << h.value;
        EXPECT_EQ(at(m.screen, freeX, h.pos + 1), kBlack) << h.value;
    }
    for (const GridLine& v : grid.vertical) {
        if (v.pos == x1 || v.pos == x2 || v.pos >= plot.right)
            continue;
        EXPECT_EQ(at(m.screen, v.pos, plot.top + 3), kGrid) << v.value;
    }
    // Tick labels are drawn in grey left of the plot.
    bool labelInk = false;
    for (int y = plot.top; y < plot.bottom && !labelInk; ++y)
        for (int x = 0; x < plot.left && !labelInk; ++x)
            labelInk = at(m.screen, x, y) != kBlack;
    EXPECT_TRUE(labelInk);
}

TEST(ScreenWnd, TheLastDistanceLabelIsDrawnWholeInsideThePlot)
{
    MainScreen m;
    m.doc.scale = 1000;
    main_screen::configure(m.screen.state(), m.doc);
    m.set(20, 100, 300);
    m.screen.draw();
    const PixelRect plot = m.screen.plotRect();
    const GridLayout grid = gridLayout(m.screen.state(), plot, false);
    ASSERT_EQ(grid.vertical.back().pos, plot.right);
    ASSERT_EQ(grid.vertical.back().value, 1000);
    const int width = QFontMetrics(m.screen.renderer().axisFont()).horizontalAdvance("1000");
    // Ink under the plot: the label's columns ending at the plot's right edge, none beyond it.
    const auto inkIn = [&](int x0, int x1) {
        for (int y = plot.bottom + 1; y < m.screen.image().height(); ++y)
            for (int x = x0; x < x1; ++x)
                if (at(m.screen, x, y) != kBlack)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkIn(plot.right - width, plot.right - width / 2));
    EXPECT_TRUE(inkIn(plot.right - width / 2, plot.right + 1));
    EXPECT_FALSE(inkIn(plot.right + 1, m.screen.image().width()));
}

TEST(ScreenWnd, AxisSectionEdgesAreGridLines)
{
    MainScreen m;
    m.set(20, 0, 0);
    m.screen.state().setSeriesFlags(0, 0);
    m.screen.state().setSeriesFlags(1, 0);
    m.screen.state().setSeriesFlags(2, 0);
    m.screen.state().setXLabelRange(0, 150);
    m.screen.state().setAxisSectionCount(2);
    m.screen.state().setAxisSection(0, 200, 100, 0, 100);
    m.screen.state().setAxisSection(1, 300, 50, 100, 150);
    m.screen.draw();
    const PixelRect plot = m.screen.plotRect();
    const GridLayout grid = gridLayout(m.screen.state(), plot, false);
    int edges = 0;
    for (const GridLine& v : grid.vertical) {
        if (v.labelled || v.pos >= plot.right)
            continue;
        ++edges;
        EXPECT_EQ(at(m.screen, v.pos, plot.top + plot.height() / 2 + 1), kGrid);
    }
    EXPECT_EQ(edges, 1);   // the second section's edge falls just beyond the plot
    // The first section's edge: 200 samples wide plus the 1.5-pixel rounding.
    const auto edge = std::find_if(grid.vertical.begin(), grid.vertical.end(), [](const GridLine& v) { return !v.labelled; });
    ASSERT_NE(edge, grid.vertical.end());
    EXPECT_EQ(edge->pos, plot.left + static_cast<int>(plot.width() / 500.0 * 200 + 1.5));
}

TEST(ScreenWnd, CaptureModeAccumulatesTracesAndMovesCursorsWithoutTrails)
{
    MainScreen m;
    m.set(40, 100, 300);
    m.screen.draw();
    const DataMapping map = m.map();
    const int col = map.pixelX(200);
    const int oldX1 = map.pixelX(100);
    const int midY = map.pixelY(-100) + 1;   // between grid lines, away from both traces

    m.set(static_cast<std::uint8_t>(-40), 120, 300);
    m.screen.state().captureMode = true;
    m.screen.draw();
    EXPECT_EQ(at(m.screen, col, map.pixelY(40)), kL1);    // the first trace stays
    EXPECT_EQ(at(m.screen, col, map.pixelY(-40)), kL1);   // the new one is added
    EXPECT_NE(at(m.screen, oldX1, midY), kCursor1);       // the old cursor line is gone
    EXPECT_EQ(at(m.screen, map.pixelX(120), midY), kCursor1);
    EXPECT_EQ(at(m.screen, map.pixelX(300), midY), kCursor2);

    m.screen.state().captureMode = false;
    m.screen.draw();
    EXPECT_NE(at(m.screen, col, map.pixelY(40)), kL1);
    EXPECT_EQ(at(m.screen, col, map.pixelY(-40)), kL1);
}

TEST(ScreenWnd, FirstDrawingAfterAResizeShowsTheGridEvenInCaptureMode)
{
    MainScreen m;
    m.set(40, 100, 300);
    m.screen.state().captureMode = true;
    m.screen.resizeScreen(0, 0, 500, 280);
    m.screen.draw();
    const PixelRect plot = m.screen.plotRect();
    const GridLayout grid = gridLayout(m.screen.state(), plot, false);
    ASSERT_FALSE(grid.horizontal.empty());
    EXPECT_EQ(at(m.screen, plot.left + 2, grid.horizontal.front().pos), kGrid);
}

TEST(ScreenWnd, StepsOrStraightLinesByTheStyle)
{
    CScreenWnd s;
    s.state().setStyle(false, false, false);
    s.state().setXRange(0, 500, 500);
    s.state().setYRange(-128, 127, 255);
    s.state().addSeries({0, 0, 0}, 2, "1");
    s.state().addSeries({0, 0, 0}, 2, "2");
    const int t = s.state().addSeries({255, 0, 0}, 2, "");
    s.state().setSeriesFlags(t, CArrPoints::kVisible);
    s.state().setPoint(t, 0, 0, 0);
    s.state().setPoint(t, 1, 250, 100);
    s.resizeScreen(0, 0, 510, 265);   // a 500 x 255 plot
    const DataMapping map(s.state(), s.plotRect());
    const QRgb red = qRgb(255, 0, 0);

    s.draw();   // steps: up at x 0, then across at y 100
    EXPECT_EQ(at(s, map.pixelX(0), map.pixelY(50)), red);
    EXPECT_EQ(at(s, map.pixelX(100), map.pixelY(100)), red);
    EXPECT_NE(at(s, map.pixelX(100), map.pixelY(40)), red);

    s.state().setStraightLines(true);
    s.draw();
    EXPECT_NE(at(s, map.pixelX(0), map.pixelY(50)), red);
    EXPECT_EQ(at(s, map.pixelX(125), map.pixelY(50)), red);
}

TEST(ScreenWnd, SinglePointSetsOnePixelAndNothingInRangeDrawsNothing)
{
    CScreenWnd s;
    s.state().setStyle(false, false, false);   // a black background without grid
    s.state().setXRange(0, 500, 500);
    s.state().setYRange(-128, 127, 255);
    s.state().addSeries({200, 200, 255}, 2, "1");
    s.state().addSeries({200, 200, 0}, 2, "2");
    const int single = s.state().addSeries({255, 0, 0}, 1, "x");
    const int outside = s.state().addSeries({0, 255, 0}, 3, "Л2");
    s.state().setPoint(single, 0, 250, 0);
    s.state().setSeriesFlags(single, CArrPoints::kVisible);
    for (int i = 0; i < 3; ++i)
        s.state().setPoint(outside, i, i, 200);
    s.state().setSeriesFlags(outside, CArrPoints::kVisible | CArrPoints::kNamed);
    s.resizeScreen(0, 0, 510, 265);
    s.draw();

    EXPECT_EQ(countColor(s.image(), qRgb(255, 0, 0)), 1);
    const DataMapping map(s.state(), s.plotRect());
    EXPECT_EQ(at(s, map.pixelX(250), map.pixelY(0)), qRgb(255, 0, 0));
    EXPECT_EQ(countColor(s.image(), qRgb(0, 255, 0)), 0);   // neither line nor name box
    EXPECT_EQ(countColor(s.image(), kBlack) + 1, s.image().width() * s.image().height());
}

TEST(ScreenWnd, NameBoxInTheSeriesColourWithComplementaryText)
{
    MainScreen m;
    m.set(0, 100, 300);
    m.screen.state().setPoint(2, 499, 200, 0);   // the name goes to the last point
    m.screen.draw();
    const DataMapping map = m.map();
    const QFontMetrics fm(m.screen.renderer().axisFont());
    const int w = fm.horizontalAdvance(QStringLiteral("Л1"));
    const int h = fm.height();
    const int left = map.pixelX(200) - w / 2, top = map.pixelY(0) - h / 3;
    EXPECT_EQ(at(m.screen, left, top), kL1);
    EXPECT_EQ(at(m.screen, left + w - 1, top + h - 1), kL1);
    EXPECT_NE(at(m.screen, left + w, top + h / 2), kL1);
    int textInk = 0;   // complement (255, 55, 0), blended at glyph edges
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x)
            textInk += qRed(at(m.screen, x, y)) > 200 && qBlue(at(m.screen, x, y)) < 60;
    EXPECT_GT(textInk, 5);
}

TEST(ScreenWnd, ComposesOnlyWhenAskedOrAfterAResize)
{
    QWidget owner;
    owner.resize(700, 400);
    CVarnelDoc doc;
    CScreenWnd* screen = new CScreenWnd(&owner, 154);
    main_screen::configure(screen->state(), doc);
    screen->resizeScreen(10, 10, 600, 300);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QCoreApplication::processEvents();
    const int afterShow = screen->drawCount();
    EXPECT_EQ(afterShow, 1);   // the first paint of fresh buffers composes once

    screen->update();
    QCoreApplication::processEvents();
    EXPECT_EQ(screen->drawCount(), afterShow);   // a plain repaint only copies

    screen->draw();
    screen->draw();
    QCoreApplication::processEvents();
    EXPECT_EQ(screen->drawCount(), afterShow + 2);

    screen->resizeScreen(10, 10, 500, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(screen->drawCount(), afterShow + 3);
    EXPECT_EQ(screen->image().size(), QSize(500, 300));
}

TEST(ScreenWnd, ClicksAreConvertedAndNotifiedToTheOwner)
{
    QWidget owner;
    owner.resize(700, 400);
    CVarnelDoc doc;
    CScreenWnd* screen = new CScreenWnd(&owner, 154);
    main_screen::configure(screen->state(), doc);
    screen->resizeScreen(50, 20, 600, 300);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QSignalSpy left(screen, &CScreenWnd::leftClicked);
    QSignalSpy right(screen, &CScreenWnd::rightClicked);
    const PixelRect plot = screen->plotRect();   // owner coordinates
    EXPECT_EQ(plot.top, 25);
    const auto local = [&](int ownerX, int ownerY) { return QPoint(ownerX - 50, ownerY - 20); };

    QTest::mouseClick(screen, Qt::LeftButton, {}, local(plot.left, plot.top));
    ASSERT_EQ(left.count(), 1);
    EXPECT_EQ(left.at(0).at(0).toInt(), 154);
    EXPECT_EQ(screen->state().getLeftClick(), (DataPoint{0, 127}));

    QTest::mouseClick(screen, Qt::LeftButton, {}, local(plot.right - 1, plot.bottom - 1));
    ASSERT_EQ(left.count(), 2);
    EXPECT_EQ(screen->state().getLeftClick().x, 499);

    // Pressed inside, released on the tick labels: nothing.
    QTest::mousePress(screen, Qt::LeftButton, {}, local(plot.left + 10, plot.top + 10));
    QTest::mouseRelease(screen, Qt::LeftButton, {}, local(plot.left + 10, plot.bottom + 3));
    EXPECT_EQ(left.count(), 2);

    QTest::mouseClick(screen, Qt::RightButton, {}, local(plot.left + 1, plot.top));
    EXPECT_EQ(right.count(), 1);
    EXPECT_EQ(left.count(), 2);
    EXPECT_EQ(screen->state().getRightClick().y, 127);
}

TEST(ScreenWnd, PrintIsBlackOnWhiteWithGreyNameBoxes)
{
    MainScreen m;
    m.set(30, 100, 300);
    QImage page(1000, 450, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        p.scale(1, -1);   // the caller's y axis points up
        m.screen.print(p, 250);
    }
    int black = 0, grey = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = page.pixel(x, y);
            ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << x << "," << y;
            black += c == qRgb(0, 0, 0);
            grey += c == qRgb(50, 50, 50);
        }
    EXPECT_GT(black, 1000);
    EXPECT_GT(grey, 20);
    // Cursor 1 lies where the print geometry puts it.
    CScreenRenderer renderer;
    const PixelRect plot = renderer.plotRect(m.screen.state(), {0, 0, 880, 400}, true);
    EXPECT_GT(plot.left, m.screen.plotRect().left);   // the label margins grow by 1.8
    const DataMapping map(m.screen.state(), plot);
    const int x = map.pixelX(100), y = map.pixelY(-60);
    const bool lineThere = page.pixel(x - 1, y) == kBlack || page.pixel(x, y) == kBlack;
    EXPECT_TRUE(lineThere);
    EXPECT_EQ(page.pixel(x - 3, y), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(x + 3, y), qRgb(255, 255, 255));
    // Nothing lands below the 400-unit page.
    for (int x = 0; x < page.width(); ++x)
        ASSERT_EQ(page.pixel(x, 420), qRgb(255, 255, 255));
}

// On paper as on the screen the cursors lie over the traces: cursor 1's name box, drawn where its line
// meets the top of the plot, covers a trace running through it.
TEST(ScreenWnd, PrintDrawsTheCursorsOverTheTraces)
{
    MainScreen m;
    m.set(124, 100, 300);
    QImage page(1000, 450, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        p.scale(1, -1);
        m.screen.print(p, 250);
    }
    CScreenRenderer renderer;
    const PixelRect plot = renderer.plotRect(m.screen.state(), {0, 0, 880, 400}, true);
    const DataMapping map(m.screen.state(), plot);
    const QFontMetrics fm(renderer.axisFont());
    const int w = fm.horizontalAdvance(QStringLiteral("1"));
    const int boxLeft = map.pixelX(100) - w / 2, boxTop = map.pixelY(127) - fm.height() / 3;
    const int traceY = map.pixelY(124);
    ASSERT_GT(traceY, boxTop + 1);
    ASSERT_LT(traceY, boxTop + fm.height() - 1);
    for (const GridLine& h : gridLayout(m.screen.state(), plot, true).horizontal)
        ASSERT_NE(h.pos, traceY);

    EXPECT_EQ(page.pixel(boxLeft - 3, traceY), kBlack);   // the trace, beside the box
    EXPECT_EQ(page.pixel(boxLeft + w + 3, traceY), kBlack);
    for (int x = boxLeft; x < boxLeft + w; ++x)
        EXPECT_NE(page.pixel(x, traceY), kBlack) << x;      // the box over it
}

TEST(StaticSplitter, BarsCannotBeDragged)
{
    CStaticSplitter splitter(Qt::Horizontal);
    splitter.addWidget(new QWidget);
    splitter.addWidget(new QWidget);
    splitter.resize(400, 200);
    splitter.setSizes({100, 300});
    splitter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splitter));
    const QList<int> before = splitter.sizes();
    QSplitterHandle* handle = splitter.handle(1);
    EXPECT_EQ(handle->cursor().shape(), Qt::ArrowCursor);
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 50), handle->mapToGlobal(QPointF(60, 50)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(60, 50));
    EXPECT_EQ(splitter.sizes(), before);
}

TEST(ReflectogramImage, DrawsThePreviewOfAFile)
{
    Trace file;
    file.raw.fill(20);
    file.raw[16 * 100] = 0xF0;   // preview sample 100 of a 1 km file (every 16th sample)
    file.memScale = 1000;
    file.memKU = 1.5;
    const QImage img = reflectogramImage(file, QSize(1000, 400));
    ASSERT_EQ(img.size(), QSize(1000, 400));

    CScreenState state;
    preview_screen::configure(state);
    preview_screen::fill(state, file);
    CScreenRenderer renderer;
    const PixelRect plot = renderer.plotRect(state, {0, 0, 1000, 400}, false);
    const DataMapping map(state, plot);
    const QRgb trace = qRgb(0, 200, 255);
    EXPECT_EQ(img.pixel(map.pixelX(300), map.pixelY(20)) | 0xff000000u, trace);
    EXPECT_EQ(img.pixel(map.pixelX(100), map.pixelY(-16)) | 0xff000000u, trace);
    EXPECT_NE(img.pixel(map.pixelX(300), map.pixelY(0)) | 0xff000000u, trace);
    EXPECT_DOUBLE_EQ(state.xLabelRight, 1000);
    EXPECT_TRUE(reflectogramImage(file, QSize(0, 10)).isNull());
}
