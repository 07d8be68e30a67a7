#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/doc_commands.h"
#include "document/doc_view.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct RecordingView : CDocView {
    std::vector<int> hints;
    void onDocumentUpdate(CDocView*, UpdateHint hint) override { hints.push_back(hint); }
};

class DocCommands : public ::testing::Test {
protected:
    DocCommands()
    {
        registerDocumentCommands(table, doc);
        doc.addView(&view);
    }
    CVarnelDoc doc;
    CCommandTable table;
    RecordingView view;
};

TEST_F(DocCommands, RangeSetsPulseResetsZoomAndSendsHint2)
{
    const double pulses[] = {10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};
    const double ranges[] = {62.5, 125, 250, 500, 1000, 2000, 4000, 8000, 16000, 32000, 64000};
    for (int i = 0; i < 11; ++i) {
        doc.zoom = 1;
        doc.zoomed = true;
        doc.capture = true;
        ASSERT_TRUE(table.run(cmd::kRangeFirst + i));
        EXPECT_EQ(doc.scale, ranges[i]);
        EXPECT_EQ(doc.pulse, pulses[i]);
        EXPECT_EQ(doc.zoom, 0);
        EXPECT_FALSE(doc.zoomed);
        EXPECT_FALSE(doc.capture);
        EXPECT_TRUE(table.state(cmd::kRangeFirst + i).checked);
        EXPECT_FALSE(table.state(cmd::kRangeFirst + (i + 1) % 11).checked);
        EXPECT_EQ(view.hints.back(), kHintAcqParams);
    }
}

TEST_F(DocCommands, PulseIsIndependentOfRange)
{
    table.run(cmd::kRangeFirst + 10);
    table.run(cmd::kPulseIds[0]);
    EXPECT_EQ(doc.scale, 64000);
    EXPECT_EQ(doc.pulse, 10);
    EXPECT_TRUE(table.state(cmd::kPulseIds[0]).checked);
    table.run(cmd::kPulseIds[11]);
    EXPECT_EQ(doc.pulse, 50000);
    EXPECT_EQ(view.hints.back(), kHintAcqParams);
}

TEST_F(DocCommands, MouseModesCheckAndEnable)
{
    doc.sections.add({2.0, 10000, 0, 10000});
    doc.gridMode = doc.sectionsLoaded = true;
    doc.cursor2 = 50;
    doc.capture = true;
    table.run(cmd::kMouseMagnifier + 2);
    EXPECT_EQ(doc.mouseMode, MouseMode::Cursor2);
    EXPECT_DOUBLE_EQ(doc.vfactor, 2.0);
    EXPECT_EQ(view.hints, std::vector<int>{kHintRedraw});
    EXPECT_TRUE(doc.capture);   // mouse modes leave capture alone
    EXPECT_TRUE(table.state(cmd::kMouseMagnifier + 2).checked);

    table.run(cmd::kMouseMagnifier);
    EXPECT_EQ(view.hints.size(), 1u);   // the magnifier mode sends no hint

    EXPECT_TRUE(table.state(cmd::kMouseMagnifier + 3).enabled);    // L1 shown
    EXPECT_FALSE(table.state(cmd::kMouseMagnifier + 4).enabled);   // L2 hidden
    EXPECT_FALSE(table.run(cmd::kMouseMagnifier + 4));
    doc.traces[P2].shown = true;
    EXPECT_TRUE(table.state(cmd::kMouseMagnifier + 6).enabled);
}

TEST_F(DocCommands, ActiveCursorCannotSwitchWhileMagnified)
{
    table.run(cmd::kSecondCursor);
    EXPECT_EQ(doc.activeCursor, CursorId::Second);
    doc.zoom = 2;
    EXPECT_FALSE(table.state(cmd::kFirstCursor).enabled);
    EXPECT_TRUE(table.state(cmd::kSecondCursor).enabled);
    EXPECT_TRUE(table.state(cmd::kSecondCursor).checked);
    EXPECT_FALSE(table.run(cmd::kFirstCursor));
    EXPECT_EQ(doc.activeCursor, CursorId::Second);
}

TEST_F(DocCommands, LineTogglesAndAcquisitionState)
{
    doc.acqState = AcqState::Running;
    doc.traces[L1].active = true;
    table.run(cmd::kLine1);   // the only shown line goes off
    EXPECT_FALSE(doc.traces[L1].shown);
    EXPECT_FALSE(doc.traces[L1].active);
    EXPECT_EQ(doc.acqState, AcqState::Stopped);
    EXPECT_EQ(view.hints.back(), kHintLines);

    doc.acqState = AcqState::Running;
    table.run(cmd::kLine2);
    EXPECT_TRUE(doc.traces[L2].shown);
    EXPECT_TRUE(doc.traces[L2].active);
    table.run(cmd::kLine1);
    EXPECT_TRUE(doc.traces[L1].active);
    table.run(cmd::kLine1);   // L2 still shown and available: keeps running
    EXPECT_EQ(doc.acqState, AcqState::Running);
}

TEST_F(DocCommands, SplitPairsTakesTheOtherLineAwayAndGivesItBack)
{
    doc.acqState = AcqState::Running;
    doc.traces[L2].shown = doc.traces[L2].active = true;
    doc.traces[L1].active = true;
    table.run(cmd::kSplitPairs);
    EXPECT_TRUE(doc.splitPairs);
    EXPECT_FALSE(doc.traces[L2].available);
    EXPECT_FALSE(doc.traces[L2].active);
    EXPECT_TRUE(doc.traces[L1].available);
    EXPECT_FALSE(table.state(cmd::kLine2).enabled);
    EXPECT_TRUE(view.hints.empty());

    table.run(cmd::kSplitPairs);
    EXPECT_TRUE(doc.traces[L2].available);
    EXPECT_TRUE(doc.traces[L2].active);

    doc.traces[L1].shown = false;
    table.run(cmd::kSplitPairs);
    EXPECT_FALSE(doc.traces[L1].available);
    EXPECT_TRUE(doc.traces[L2].available);
}

TEST_F(DocCommands, CaptureIsClearedByTheCommandsThatClearIt)
{
    struct Case { int id; bool clears; };
    const Case cases[] = {
        {cmd::kRangeFirst, true}, {cmd::kPulseIds[3], true}, {cmd::kLine2, true}, {cmd::kSplitPairs, true},
        {cmd::kDifference, true}, {cmd::kApproximation, true}, {cmd::kSpeedMode, false},
        {cmd::kReturnLoss, false}, {cmd::kFirstCursor, false}, {cmd::kMouseMagnifier + 1, false},
    };
    for (const Case& c : cases) {
        doc.capture = true;
        table.run(c.id);
        EXPECT_EQ(doc.capture, !c.clears) << c.id;
    }
    table.run(cmd::kCapture);
    EXPECT_FALSE(doc.capture);
    table.run(cmd::kCapture);
    EXPECT_TRUE(doc.capture);
}

TEST_F(DocCommands, ModeTogglesSendTheirHints)
{
    struct Case { int id; int hint; bool CVarnelDoc::*flag; };
    const Case cases[] = {
        {cmd::kDifference, kHintLines, &CVarnelDoc::difference},
        {cmd::kApproximation, kHintRedraw, &CVarnelDoc::approximation},
        {cmd::kSpeedMode, kHintSpeedMode, &CVarnelDoc::speedMode},
        {cmd::kReturnLoss, kHintReturnLoss, &CVarnelDoc::returnLoss},
    };
    for (const Case& c : cases) {
        const bool before = doc.*c.flag;
        table.run(c.id);
        EXPECT_NE(doc.*c.flag, before) << c.id;
        EXPECT_EQ(view.hints.back(), c.hint) << c.id;
        EXPECT_EQ(table.state(c.id).checked, doc.*c.flag) << c.id;
    }
}

TEST(Broadcast, EveryViewButTheSenderIsTold)
{
    CVarnelDoc doc;
    RecordingView a, b;
    doc.addView(&a);
    doc.addView(&b);
    doc.addView(&a);   // registering twice does not duplicate
    doc.updateAllViews(&a, kHintRedraw);
    EXPECT_TRUE(a.hints.empty());
    EXPECT_EQ(b.hints, std::vector<int>{0});
    doc.updateAllViews(nullptr, kHintSaved);
    EXPECT_EQ(a.hints, std::vector<int>{3});
    doc.removeView(&b);
    doc.updateAllViews(nullptr, kHintLines);
    EXPECT_EQ(b.hints.size(), 2u);
}

} // namespace
