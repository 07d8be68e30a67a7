#include "display/widgets/screen_wnd.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "measurement/forms/form_draw.h"
#include "measurement/form_rig.h"
#include "widgets/report_ctrl.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// Counts the paint events a widget receives.
class CPaintCounter : public QObject {
public:
    CPaintCounter(QWidget& widget, int& paints) : widget(widget), paints(paints) { widget.installEventFilter(this); }
    ~CPaintCounter() override { widget.removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }

private:
    QWidget& widget;
    int& paints;
};

// A shown form on the fast simulated instrument, initially updated, 900 x 600.
class FormView : public ::testing::Test {
protected:
    FormView() : doc(rig.doc), commands(rig.commands), form(rig.form)
    {
        form->resize(900, 600);
        form->show();
        form->initialUpdate();
    }

    FormRig rig;
    CVarnelDoc& doc;
    CCommandTable& commands;
    std::unique_ptr<CFormDraw>& form;
};

// Shown and resized before its first update, as the window's first layout does it, the form composes
// nothing: that update draws the screen, once.
TEST(FormDrawStart, ResizesBeforeTheFirstUpdateComposeNothing)
{
    FormRig rig;
    rig.form->resize(900, 600);
    rig.form->show();
    rig.form->resize(800, 500);
    const int beforeUpdate = rig.form->mainScreen().drawCount();
    rig.form->initialUpdate();
    EXPECT_EQ(beforeUpdate, 0);
    EXPECT_EQ(rig.form->mainScreen().drawCount(), 1);
}

TEST_F(FormView, TableRowsFollowTheShownLinesAndTheScreenTakesTheRest)
{
    EXPECT_EQ(form->channels().getItemCount(), 1);
    EXPECT_EQ(form->channels().getCell(0, 0), QStringLiteral("Л1"));
    doc.toggleLine(L2);
    EXPECT_EQ(form->channels().getItemCount(), 2);
    const int rowHeight = form->channels().getItemRect(0).height();
    EXPECT_EQ(form->channels().y(), 600 - rowHeight * 4);
    EXPECT_EQ(form->mainScreen().height(), 600 - rowHeight * 4);

    doc.toggleLine(L1);
    doc.toggleLine(L2);   // nothing shown: two empty 8-pixel rows at the bottom
    EXPECT_EQ(form->channels().getItemCount(), 0);
    EXPECT_EQ(form->mainScreen().height(), 600 - 16);
}

TEST_F(FormView, AtItsMinimumHeightTheScreenKeepsA150PixelPlotWithItsLabels)
{
    // Lines shown (L1 starts shown) and whether the table is; the minimum follows the rows.
    struct Case { const char* what; int toggleL2, toggleL1; bool table; };
    const Case cases[] = {
        {"one line", 0, 0, true}, {"two lines", 1, 0, true}, {"none", 0, 1, true}, {"no table", 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.toggleL2)
            doc.toggleLine(L2);
        if (c.toggleL1)
            doc.toggleLine(L1);
        if (!c.table)
            commands.run(cmd::kChannelParams);
        const int minimum = form->minimumSizeHint().height();
        form->resize(900, minimum);
        QApplication::processEvents();
        const PixelRect plot = form->mainScreen().plotRect();
        EXPECT_EQ(plot.height(), CFormDraw::kMinPlotHeight);
        EXPECT_GT(plot.left, 5);   // the y labels stay beside it
        EXPECT_EQ(form->mainScreen().height() + (c.table ? form->height() - form->channels().y() : 0), minimum);
        if (c.toggleL2)
            doc.toggleLine(L2);
        if (c.toggleL1)
            doc.toggleLine(L1);
        if (!c.table)
            commands.run(cmd::kChannelParams);
    }
}

TEST_F(FormView, ReturnLossShowsTheTenthColumn)
{
    EXPECT_EQ(form->channels().getColumnWidth(0), 900 / 9);
    EXPECT_EQ(form->channels().getColumnWidth(9), 0);
    doc.toggleReturnLoss();
    EXPECT_EQ(form->channels().getColumnWidth(0), 900 / 10);
    EXPECT_EQ(form->channels().getColumnWidth(9), 900 / 10);
    EXPECT_EQ(form->channels().getColumnWidth(10), 0);
}

TEST_F(FormView, SpeedModeRetitlesAndRefillsWithoutRedrawingTheScreen)
{
    doc.vfactor = 1.5;
    doc.updateAllViews(nullptr, kHintRedraw);
    const int draws = form->mainScreen().drawCount();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    int paints = 0;
    CPaintCounter counter(*form, paints);
    doc.toggleSpeedMode();
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints > 0; }));   // the form repaints with the new unit
    EXPECT_EQ(form->channels().getColumnTitle(4), QStringLiteral("V/2"));
    EXPECT_EQ(form->channels().getCell(0, 4), QStringLiteral("100.0"));
    doc.toggleReturnLoss();
    EXPECT_EQ(form->mainScreen().drawCount(), draws);
    doc.updateAllViews(nullptr, kHintRedraw);
    EXPECT_EQ(form->mainScreen().drawCount(), draws + 1);
}

TEST_F(FormView, ChannelParametersCommandHidesTheTable)
{
    EXPECT_TRUE(commands.state(cmd::kChannelParams).checked);
    ASSERT_TRUE(commands.run(cmd::kChannelParams));
    EXPECT_FALSE(commands.state(cmd::kChannelParams).checked);
    EXPECT_EQ(form->mainScreen().height(), 600);
    EXPECT_TRUE(form->channels().geometry().isEmpty());
    commands.run(cmd::kChannelParams);
    EXPECT_LT(form->mainScreen().height(), 600);
}

TEST_F(FormView, ClickMovesTheCursorAndTheWheelZooms)
{
    doc.selectRange(4);
    doc.selectMouseMode(MouseMode::Cursor1);
    const QRect plot(form->mainScreen().plotRect().left, form->mainScreen().plotRect().top,
                     form->mainScreen().plotRect().width(), form->mainScreen().plotRect().height());
    QTest::mouseClick(&form->mainScreen(), Qt::LeftButton, {}, QPoint(plot.center().x(), plot.center().y()));
    EXPECT_NEAR(doc.cursor1, 500, 4);

    doc.selectMouseMode(MouseMode::Magnifier);
    QWheelEvent up(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(form.get(), &up);
    EXPECT_EQ(doc.zoom, 1);
    EXPECT_DOUBLE_EQ(doc.zoomCenter, doc.cursor1);
    QWheelEvent down(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form.get(), &down);
    EXPECT_EQ(doc.zoom, 0);
}

TEST_F(FormView, ResizeClearsCapture)
{
    doc.capture = true;
    form->resize(800, 500);
    EXPECT_FALSE(doc.capture);
}

} // namespace
