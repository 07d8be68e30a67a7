#include "document/line_distances.h"
#include "document/varnel_doc.h"

#include <gtest/gtest.h>

namespace {

constexpr int kDown = -120;
constexpr int kUp = 120;

void addSection(CVarnelDoc& doc, double ku, double startM, double endM)
{
    doc.sections.add({ku, (endM - startM) * 100, startM * 100, endM * 100});
}

void enableGrid(CVarnelDoc& doc)
{
    doc.gridMode = true;
    doc.sectionsLoaded = true;
}

TEST(Window, ZoomZeroIsAlwaysTheWholeRange)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    for (double centre : {-500.0, 0.0, 10.0, 500.0, 990.0, 5000.0}) {
        doc.zoomCenter = centre;
        EXPECT_DOUBLE_EQ(doc.window().left, 0) << centre;
        EXPECT_DOUBLE_EQ(doc.window().right, 1000) << centre;
    }
}

TEST(Window, MagnifiedWindowIsKeptInsideTheRange)
{
    struct Case { double centre; int zoom; double left, right; };
    const Case cases[] = {
        {10, 4, 0, 62.5},
        {990, 4, 937.5, 1000},
        {500, 1, 250, 750},
        {500, 4, 468.75, 531.25},
        {100, 2, 0, 250},
    };
    CVarnelDoc doc;
    doc.scale = 1000;
    for (const Case& c : cases) {
        doc.zoom = c.zoom;
        doc.zoomCenter = c.centre;
        EXPECT_DOUBLE_EQ(doc.window().left, c.left) << c.centre << " zoom " << c.zoom;
        EXPECT_DOUBLE_EQ(doc.window().right, c.right) << c.centre << " zoom " << c.zoom;
    }
}

TEST(Zoom, StepsClampAtTheRangeLimitAndCentreOnTheActiveCursorOnce)
{
    CVarnelDoc doc;
    doc.scale = 62.5;
    EXPECT_FALSE(doc.stepZoom(kUp));
    EXPECT_EQ(doc.zoom, 0);
    EXPECT_FALSE(doc.zoomed);

    doc.scale = 1000;
    doc.cursor1 = 300;
    doc.cursor2 = 700;
    EXPECT_FALSE(doc.stepZoom(kDown));
    EXPECT_EQ(doc.zoom, 0);
    EXPECT_TRUE(doc.stepZoom(kUp));
    EXPECT_TRUE(doc.zoomed);
    EXPECT_DOUBLE_EQ(doc.zoomCenter, 300);

    doc.cursor1 = 400;   // the centre stays where the magnifier engaged
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(doc.stepZoom(kUp));
    EXPECT_FALSE(doc.stepZoom(kUp));
    EXPECT_EQ(doc.zoom, 4);
    EXPECT_DOUBLE_EQ(doc.zoomCenter, 300);

    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(doc.stepZoom(kDown));
    EXPECT_FALSE(doc.zoomed);
    doc.activeCursor = CursorId::Second;
    EXPECT_TRUE(doc.stepZoom(kUp));
    EXPECT_DOUBLE_EQ(doc.zoomCenter, 700);
}

TEST(Zoom, RangeCommandForgetsTheMagnifier)
{
    CVarnelDoc doc;
    doc.selectRange(4);
    doc.cursor1 = 100;
    doc.stepZoom(kUp);
    doc.stepZoom(kUp);
    doc.selectRange(5);
    EXPECT_EQ(doc.zoom, 0);
    EXPECT_FALSE(doc.zoomed);
    EXPECT_DOUBLE_EQ(doc.window().right, 2000);
    doc.cursor1 = 1500;
    doc.stepZoom(kUp);
    EXPECT_DOUBLE_EQ(doc.zoomCenter, 1500);
}

TEST(StepValue, OnlyMinus120IsDown)
{
    EXPECT_TRUE(isStepDown(-120));
    EXPECT_TRUE(isStepDown(0xFF88));   // the same 16-bit delta
    for (int v : {120, -240, 240, 0, -1, 1})
        EXPECT_FALSE(isStepDown(v)) << v;
}

TEST(Cursor, StepsSnapToTheWindowSamplesAndStopAtTheEdges)
{
    CVarnelDoc doc;
    doc.scale = 1000;   // 2 m per sample
    doc.vfactor = 1.7;
    double p = 0;
    EXPECT_FALSE(doc.stepCursor(p, kDown));
    EXPECT_DOUBLE_EQ(p, 0);
    EXPECT_DOUBLE_EQ(doc.vfactor, 1.7);

    p = 5.3;   // inside sample 2
    EXPECT_TRUE(doc.stepCursor(p, kUp));
    EXPECT_DOUBLE_EQ(p, 6);
    p = 5.3;
    EXPECT_TRUE(doc.stepCursor(p, kDown));
    EXPECT_DOUBLE_EQ(p, 2);

    p = 999;   // the last sample steps onto the right edge itself
    EXPECT_TRUE(doc.stepCursor(p, kUp));
    EXPECT_DOUBLE_EQ(p, 1000);
    EXPECT_FALSE(doc.stepCursor(p, kUp));   // 1002 would be beyond the window
    EXPECT_DOUBLE_EQ(p, 1000);
}

TEST(Cursor, StepAndPlaceTakeTheKuOfTheSectionUnderTheCursor)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    addSection(doc, 2.0, 0, 100);
    addSection(doc, 1.2, 100, 300);
    enableGrid(doc);
    double p = 98;
    EXPECT_TRUE(doc.stepCursor(p, kUp));
    EXPECT_DOUBLE_EQ(p, 100);
    EXPECT_DOUBLE_EQ(doc.vfactor, 1.2);
    doc.placeCursor(p, 10);
    EXPECT_DOUBLE_EQ(p, 20);
    EXPECT_DOUBLE_EQ(doc.vfactor, 2.0);
    doc.placeCursor(p, 499);
    EXPECT_DOUBLE_EQ(p, 998);
    EXPECT_DOUBLE_EQ(doc.vfactor, 1.2);   // beyond the last section: the last KU
}

TEST(Offset, ClampsAtPlusMinus200)
{
    int offset = -199;
    EXPECT_TRUE(CVarnelDoc::stepOffset(offset, kDown));
    EXPECT_FALSE(CVarnelDoc::stepOffset(offset, kDown));
    EXPECT_EQ(offset, -200);
    offset = 200;
    EXPECT_FALSE(CVarnelDoc::stepOffset(offset, kUp));
    EXPECT_EQ(offset, 200);
}

TEST(KuAt, GridRules)
{
    CVarnelDoc doc;
    doc.vfactor = 1.9;
    addSection(doc, 2.0, 0, 100);
    addSection(doc, 1.2, 100, 300);
    EXPECT_DOUBLE_EQ(doc.kuAt(50), 1.9);   // grid off
    doc.gridMode = true;
    EXPECT_DOUBLE_EQ(doc.kuAt(50), 1.9);   // sections not loaded
    doc.sectionsLoaded = true;
    struct Case { double x, ku; };
    for (const Case c : {Case{0, 2.0}, Case{99.99, 2.0}, Case{100, 1.2}, Case{299, 1.2}, Case{300, 1.2},
                         Case{5000, 1.2}, Case{-1, 1.2}})
        EXPECT_DOUBLE_EQ(doc.kuAt(c.x), c.ku) << c.x;
}

TEST(Readouts, SingleKuAndItsInverse)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.vfactor = 2.0;
    doc.cursor1 = 150;
    doc.cursor2 = 400;
    const CursorReadouts r = doc.cursorReadouts();
    EXPECT_DOUBLE_EQ(r.distance1, 112.5);
    EXPECT_DOUBLE_EQ(r.distance2, 300);
    EXPECT_DOUBLE_EQ(r.step1, 2.0 / 2.0 * 1.5);
    EXPECT_DOUBLE_EQ(doc.toNominal(112.5), 150);
    EXPECT_DOUBLE_EQ(doc.toNominal(r.distance2), 400);
}

TEST(Readouts, GridCases)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.vfactor = 1.5;
    addSection(doc, 2.0, 0, 100);
    enableGrid(doc);

    // Beyond the only section the last section's KU applies.
    doc.cursor1 = 150;
    EXPECT_DOUBLE_EQ(doc.cursorReadouts().distance1, 75 + 50 / 2.0 * 1.5);
    EXPECT_DOUBLE_EQ(doc.cursorReadouts().distance1, 112.5);

    addSection(doc, 1.0, 100, 200);
    addSection(doc, 3.0, 200, 400);
    struct Case { double cursor, real, step; };
    const Case cases[] = {
        {0, 0, 2.0 / 2.0 * 1.5},                       // start of the first section
        {100, 75, 2.0 / 1.0 * 1.5},                    // exactly on a boundary: the next section
        {150, 75 + 75, 2.0 / 1.0 * 1.5},
        {200, 75 + 150, 2.0 / 3.0 * 1.5},
        {400, 75 + 150 + 100, 2.0 / 3.0 * 1.5},        // end of the last section
        {500, 75 + 150 + 100 + 50, 2.0 / 3.0 * 1.5},   // beyond it
    };
    for (const Case& c : cases) {
        doc.cursor1 = c.cursor;
        doc.cursor2 = c.cursor;
        const CursorReadouts r = doc.cursorReadouts();
        EXPECT_NEAR(r.distance1, c.real, 1e-9) << c.cursor;
        EXPECT_NEAR(r.distance2, c.real, 1e-9) << c.cursor;
        EXPECT_NEAR(doc.toReal(c.cursor), c.real, 1e-9) << c.cursor;
        EXPECT_NEAR(documentDistances(doc).toReal(c.cursor), c.real, 1e-9) << c.cursor;
        EXPECT_NEAR(r.step1, c.step, 1e-12) << c.cursor;
        EXPECT_NEAR(doc.toNominal(r.distance1), c.cursor, 1e-9) << c.cursor;
    }
}

TEST(Readouts, CursorBeforeTheFirstSectionKeepsTheSingleKuValues)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.vfactor = 1.5;
    addSection(doc, 2.0, 100, 200);
    enableGrid(doc);
    doc.cursor1 = 50;
    EXPECT_DOUBLE_EQ(doc.cursorReadouts().distance1, 50);
}

TEST(WindowEdges, SingleKu)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.vfactor = 2.0;
    doc.zoom = 2;
    doc.zoomCenter = 500;
    const Span edges = doc.windowEdgesReal();
    EXPECT_DOUBLE_EQ(edges.left, 375 / 2.0 * 1.5);
    EXPECT_DOUBLE_EQ(edges.right, 625 / 2.0 * 1.5);
}

TEST(WindowEdges, WindowInsideOneSection)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    addSection(doc, 1.5, 0, 100);
    addSection(doc, 3.0, 100, 900);
    enableGrid(doc);
    doc.zoom = 4;
    doc.zoomCenter = 500;   // window 468.75..531.25
    const Span edges = doc.windowEdgesReal();
    EXPECT_DOUBLE_EQ(edges.left, 100 + (468.75 - 100) / 3.0 * 1.5);
    EXPECT_DOUBLE_EQ(edges.right, 100 + (531.25 - 100) / 3.0 * 1.5);
}

TEST(WindowEdges, WindowSpanningThreeSections)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    addSection(doc, 1.5, 0, 200);
    addSection(doc, 3.0, 200, 300);
    addSection(doc, 1.0, 300, 700);
    addSection(doc, 2.0, 700, 1000);
    enableGrid(doc);
    doc.zoom = 1;
    doc.zoomCenter = 400;   // window 150..650 over sections 1 (part), 2 (whole), 3 (part)
    const Span edges = doc.windowEdgesReal();
    EXPECT_DOUBLE_EQ(edges.left, 150);
    EXPECT_DOUBLE_EQ(edges.right, 200 + 50 + (650 - 300) * 1.5);
    // The edges agree with the cursor read-outs at the same positions.
    doc.cursor1 = 150;
    doc.cursor2 = 650;
    EXPECT_DOUBLE_EQ(doc.cursorReadouts().distance1, edges.left);
    EXPECT_DOUBLE_EQ(doc.cursorReadouts().distance2, edges.right);
}

TEST(WindowEdges, WindowBeyondTheSectionsUsesTheLastKu)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    addSection(doc, 2.0, 0, 100);
    enableGrid(doc);
    doc.zoom = 4;
    doc.zoomCenter = 500;
    const Span edges = doc.windowEdgesReal();
    EXPECT_DOUBLE_EQ(edges.left, 75 + (468.75 - 100) / 2.0 * 1.5);
    EXPECT_DOUBLE_EQ(edges.right - edges.left, 62.5 / 2.0 * 1.5);
}

TEST(WindowEdges, WindowInsideAFirstSectionThatRunsPastIt)
{
    struct Case {
        int zoom;
        double centre;
        Span expected;
    };
    // One section of KU 2.0 over 0..2000 nominal metres on the 1 km range.
    for (const Case& c : std::vector<Case>{{0, 0, {0, 750}}, {4, 10, {0, 46.875}}, {2, 125, {0, 187.5}}}) {
        CVarnelDoc doc;
        doc.scale = 1000;
        addSection(doc, 2.0, 0, 2000);
        enableGrid(doc);
        doc.zoom = c.zoom;
        doc.zoomCenter = c.centre;
        const Span edges = doc.windowEdgesReal();
        EXPECT_DOUBLE_EQ(edges.left, c.expected.left) << c.zoom;
        EXPECT_DOUBLE_EQ(edges.right, c.expected.right) << c.zoom;
    }
}

TEST(Sections, NonPositiveKuNeverDivides)
{
    CVarnelDoc doc;
    doc.scale = 1000;
    addSection(doc, 0.0, 0, 100);
    enableGrid(doc);
    doc.cursor1 = 50;
    const CursorReadouts r = doc.cursorReadouts();
    EXPECT_DOUBLE_EQ(r.distance1, 50);
    EXPECT_DOUBLE_EQ(doc.toNominal(50), 50);
    EXPECT_DOUBLE_EQ(doc.kuAt(50), 1.5);
}

TEST(Sections, AccessorsOutsideTheListYieldZero)
{
    CSectionList list;
    list.add({2.0, 100, 0, 100});
    EXPECT_DOUBLE_EQ(list.ku(0), 2.0);
    EXPECT_DOUBLE_EQ(list.ku(1), 0.0);
    EXPECT_DOUBLE_EQ(list.end(-1), 0.0);
}

} // namespace
