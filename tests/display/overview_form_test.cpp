#include "display/widgets/screen_wnd.h"
#include "document/varnel_doc.h"
#include "display/widgets/form.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

struct OverviewRig {
    OverviewRig()
    {
        form.resize(600, 200);
        form.show();
        QApplication::processEvents();
    }
    CVarnelDoc doc;
    CForm form{doc};
    CScreenWnd& screen = form.overviewScreen();
};

int y(CScreenWnd& s, int series, int j) { return s.state().getSeries(series).points[static_cast<std::size_t>(j)].y; }

void wheel(QWidget& w, int delta, std::uint64_t timeMs)
{
    QWheelEvent e(QPointF(10, 10), w.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    e.setTimestamp(timeMs);
    QApplication::sendEvent(&w, &e);
}

TEST(OverviewForm, EveryUpdateRebuildsTheWholeRangeAndOnlyAShownViewDraws)
{
    OverviewRig r;
    EXPECT_TRUE(r.form.initialized);
    EXPECT_EQ(r.screen.geometry(), r.form.rect());

    // A 1 km memory at a 2 km range in difference mode with base L1: L1 - P1 + its offset over the
    // memory's half, L1 + the offset beyond it.
    r.doc.scale = 2000;
    r.doc.traces[P1].shown = true;
    r.doc.traces[P1].memScale = 1000;
    r.doc.traces[P1].raw.fill(40);
    r.doc.traces[P1].yOffset = 3;
    r.doc.traces[L1].overviewSamples.fill(10);
    r.doc.difference = true;
    const int draws = r.screen.drawCount();
    r.doc.updateAllViews(nullptr, kHintRedraw);
    EXPECT_EQ(r.screen.drawCount(), draws + 1);
    EXPECT_EQ(y(r.screen, 8, 100), 10 + 3 - 40);
    EXPECT_EQ(y(r.screen, 8, 400), 10 + 3);

    r.form.hide();
    r.doc.traces[L1].overviewSamples.fill(20);
    r.doc.updateAllViews(nullptr, kHintNewSamples);
    EXPECT_EQ(y(r.screen, 6, 0), 20);
    EXPECT_EQ(r.screen.drawCount(), draws + 1);
    r.form.show();
    EXPECT_EQ(r.screen.drawCount(), draws + 2);
}

TEST(OverviewForm, ClickWheelAndArrowKeysMoveTheMagnifiedWindow)
{
    OverviewRig r;
    r.doc.scale = 1000;
    r.doc.zoom = 2;   // a window of 250 m; one overview sample is 2 m

    // Whole notches only, as the wheel delivers them; the arrow keys step as one notch does (0 Left, 1 Right).
    struct Case {
        std::vector<int> deltas;
        double expected;
    } cases[] = {{{-120}, 498}, {{-240}, 496}, {{40, 40, 40}, 502}, {{60}, 500}, {{0}, 498}, {{1, 1}, 504}};
    std::uint64_t time = 1000;
    for (const Case& c : cases) {
        r.doc.zoomCenter = 500;
        time += 1000;   // a pause between cases forgets any partial notch
        for (int d : c.deltas) {
            if (d == 0 || d == 1)
                QTest::keyClick(&r.form, d == 0 ? Qt::Key_Left : Qt::Key_Right);
            else
                wheel(r.form, d, time);
        }
        EXPECT_DOUBLE_EQ(r.doc.zoomCenter, c.expected) << c.deltas.front();
    }

    const PixelRect plot = r.screen.plotRect();
    QTest::mouseClick(&r.screen, Qt::LeftButton, {}, QPoint((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2));
    EXPECT_NEAR(r.screen.state().getLeftClick().x, 250, 2);
    EXPECT_DOUBLE_EQ(r.doc.zoomCenter, 2.0 * r.screen.state().getLeftClick().x);
}

} // namespace
