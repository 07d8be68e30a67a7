#include "display/mouse_modes.h"
#include "display/wheel_notches.h"
#include "document/doc_view.h"
#include "document/varnel_doc.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct RecordingView : CDocView {
    std::vector<int> hints;
    void onDocumentUpdate(CDocView*, UpdateHint hint) override { hints.push_back(hint); }
};

struct Fixture : testing::Test {
    Fixture()
    {
        doc.addView(&view);
        doc.scale = 1000;   // 2 m per sample at zoom 0
        doc.traces[L2].shown = true;
    }
    CVarnelDoc doc;
    RecordingView view;
};

} // namespace

using MouseModes = Fixture;

TEST_F(MouseModes, ClickActsByTheMouseMode)
{
    struct Case {
        int mode;
        double cursor1, cursor2;
        int offsets[kTraceCount];
    } cases[] = {
        {0, 20, 0, {0, 0, 0, 0, 0}},   // the active cursor (cursor 1)
        {1, 20, 0, {0, 0, 0, 0, 0}},
        {2, 0, 20, {0, 0, 0, 0, 0}},
        {3, 0, 0, {-40, 0, 0, 0, 0}},
        {4, 0, 0, {0, -40, 0, 0, 0}},
        {5, 0, 0, {0, 0, -40, 0, 0}},
        {6, 0, 0, {0, 0, 0, -40, 0}},
        {7, 0, 0, {0, 0, 0, 0, -40}},
    };
    for (const Case& c : cases) {
        doc.cursor1 = doc.cursor2 = 0;
        for (Trace& t : doc.traces)
            t.yOffset = 0;
        view.hints.clear();
        doc.mouseMode = static_cast<MouseMode>(c.mode);
        mouse_modes::mainScreenClick(doc, {10, -40});
        EXPECT_DOUBLE_EQ(doc.cursor1, c.cursor1) << c.mode;
        EXPECT_DOUBLE_EQ(doc.cursor2, c.cursor2) << c.mode;
        for (int t = 0; t < kTraceCount; ++t)
            EXPECT_EQ(doc.traces[static_cast<std::size_t>(t)].yOffset, c.offsets[t]) << c.mode << " trace " << t;
        EXPECT_EQ(view.hints, (std::vector<int>{0})) << c.mode;
    }
}

TEST_F(MouseModes, MagnifierClickMovesTheActiveCursorAndTakesItsKu)
{
    doc.selectActiveCursor(CursorId::Second);
    doc.sections.add({2.0, 100000, 0, 100000});
    doc.gridMode = doc.sectionsLoaded = true;
    mouse_modes::mainScreenClick(doc, {50, 0});
    EXPECT_DOUBLE_EQ(doc.cursor2, 100);
    EXPECT_DOUBLE_EQ(doc.vfactor, 2.0);

    // The magnifier then centres on that cursor and keeps its centre while engaged.
    EXPECT_TRUE(mouse_modes::mainScreenWheel(doc, 120, {}));
    EXPECT_DOUBLE_EQ(doc.zoomCenter, 100);
    mouse_modes::mainScreenClick(doc, {400, 0});
    EXPECT_TRUE(mouse_modes::mainScreenWheel(doc, 120, {}));
    EXPECT_EQ(doc.zoom, 2);
    EXPECT_DOUBLE_EQ(doc.zoomCenter, 100);
}

TEST_F(MouseModes, WheelStepsByTheModeAndBroadcastsOnlyAChange)
{
    struct Case {
        int mode;
        int delta;
        bool changed;
    } cases[] = {
        {1, -120, false},   // cursor 1 at the window's left edge stays there
        {1, 120, true},
        {1, 240, true},     // any delta but -120 is up
        {2, -240, true},
        {3, -120, true},
        {7, 120, true},
    };
    for (const Case& c : cases) {
        doc.cursor1 = doc.cursor2 = 0;
        for (Trace& t : doc.traces)
            t.yOffset = 0;
        view.hints.clear();
        doc.mouseMode = static_cast<MouseMode>(c.mode);
        EXPECT_EQ(mouse_modes::mainScreenWheel(doc, c.delta, {}), c.changed) << c.mode << " " << c.delta;
        EXPECT_EQ(view.hints.size(), c.changed ? 1u : 0u);
    }
    doc.mouseMode = MouseMode::Cursor2;
    doc.cursor2 = 0;
    mouse_modes::mainScreenWheel(doc, -240, {});
    EXPECT_DOUBLE_EQ(doc.cursor2, 2);
    doc.mouseMode = MouseMode::OffsetL2;
    doc.traces[L2].yOffset = 200;
    EXPECT_FALSE(mouse_modes::mainScreenWheel(doc, 120, {}));
    EXPECT_EQ(doc.traces[L2].yOffset, 200);
    EXPECT_TRUE(mouse_modes::mainScreenWheel(doc, -120, {}));
    EXPECT_EQ(doc.traces[L2].yOffset, 199);
}

TEST_F(MouseModes, ZoomChangeRestartsOnlyARunningAcquisition)
{
    int restarts = 0;
    int hintsAtRestart = -1;
    const auto restart = [&] {
        ++restarts;
        hintsAtRestart = static_cast<int>(view.hints.size());
    };
    doc.mouseMode = MouseMode::Magnifier;
    EXPECT_TRUE(mouse_modes::mainScreenWheel(doc, 120, restart));
    EXPECT_EQ(restarts, 0);   // stopped

    doc.acqState = AcqState::Running;
    view.hints.clear();
    EXPECT_TRUE(mouse_modes::mainScreenWheel(doc, 120, restart));
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(hintsAtRestart, 0);   // the restart comes before the update
    EXPECT_EQ(view.hints, (std::vector<int>{0}));

    doc.mouseMode = MouseMode::Cursor1;   // a cursor step is no zoom change
    EXPECT_TRUE(mouse_modes::mainScreenWheel(doc, 120, restart));
    EXPECT_EQ(restarts, 1);

    doc.mouseMode = MouseMode::Magnifier;
    doc.selectRange(0);   // 62.5 m: the magnifier cannot engage
    view.hints.clear();
    EXPECT_FALSE(mouse_modes::mainScreenWheel(doc, 120, restart));
    EXPECT_EQ(restarts, 1);
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(MouseModes, OverviewClickAndWheelMoveTheMagnifiedWindow)
{
    doc.zoom = 2;   // window 250 m, half 125
    mouse_modes::overviewClick(doc, 100);
    EXPECT_DOUBLE_EQ(doc.zoomCenter, 200);
    EXPECT_EQ(view.hints, (std::vector<int>{0}));

    struct Case {
        double center;
        int delta;
        double expected;
    } cases[] = {
        {0, -120, 0},        // stays at 0
        {1000, 120, 1000},   // stays at the range's end
        {500, -120, 498},
        {500, 120, 502},
        {990, -120, 873},    // pulled back to 1000 - 125 first
        {10, 120, 127},      // pulled up to 125 first
    };
    for (const Case& c : cases) {
        doc.zoomCenter = c.center;
        mouse_modes::overviewWheel(doc, c.delta);
        EXPECT_DOUBLE_EQ(doc.zoomCenter, c.expected) << c.center << " " << c.delta;
    }
}

TEST(WheelNotches, WholeNotchesEachOneStepInTheirDirection)
{
    struct Case {
        std::vector<int> deltas;
        std::vector<int> steps;
        std::uint64_t gapMs = 10;   // between the deltas
    } cases[] = {
        {{120}, {120}},
        {{-120}, {-120}},
        {{-240}, {-120, -120}},           // two notches at once: two steps down, not one up
        {{-40, -40, -40}, {-120}},        // a touchpad's pieces
        {{60, -60, -60}, {-120}},         // a change of direction drops the other way's rest
        {{100, 100, 100}, {120, 120}},
        {{15}, {}},
        {{-60, -60}, {}, 250},            // a pause forgets the partial notch
        {{-60, -60}, {-120}, 200},
    };
    for (const Case& c : cases) {
        CWheelNotches notches;
        std::vector<int> steps;
        std::uint64_t now = 5000;
        for (const int d : c.deltas) {
            for (const int s : notches.feed(d, now))
                steps.push_back(s);
            now += c.gapMs;
        }
        EXPECT_EQ(steps, c.steps);
    }
}
