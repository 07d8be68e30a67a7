#include "measurement/reflectogram_report.h"
#include "measurement/report_readouts.h"

#include "document/varnel_doc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

struct DocValues {
    bool speedMode = false;
    double vfactor = 1.5;
    double scale = 1000;
    int zoom = 0;
    double zoomCenter = 0;
    double cursor1 = 0;
    double cursor2 = 0;
};

std::array<std::string, kReportReadoutCount> texts(const DocValues& v, bool grid = false)
{
    CVarnelDoc doc;
    doc.speedMode = v.speedMode;
    doc.vfactor = v.vfactor;
    doc.scale = v.scale;
    doc.zoom = v.zoom;
    doc.zoomCenter = v.zoomCenter;
    doc.cursor1 = v.cursor1;
    doc.cursor2 = v.cursor2;
    if (grid) {
        // Two sections of KU 1.0 and 2.0: the readouts must not use them.
        doc.gridMode = doc.sectionsLoaded = true;
        doc.sections.add({1.0, 50000, 0, 50000});
        doc.sections.add({2.0, 50000, 50000, 100000});
    }
    std::array<std::string, kReportReadoutCount> out;
    const ReportReadouts r = reportReadouts(doc, 200, 287);
    for (int i = 0; i < kReportReadoutCount; ++i)
        out[static_cast<std::size_t>(i)] = r[static_cast<std::size_t>(i)].text;
    return out;
}

TEST(ReportReadouts, TextsFollowTheDocument)
{
    struct Case {
        const char* what;
        DocValues doc;
        bool grid;
        std::array<std::string, kReportReadoutCount> expected;
    };
    const Case cases[] = {
        {"V/2 of KU 1.5", {true, 1.5}, false,
         {"V/2              100.0", "Лупа           1", "Разрешение   2.00 м", "Начало микроплана 0.00 м",
          "К1               0.00 м", "К2               0.00 м", "L                 0.00 м"}},
        {"window cut at the start", {false, 1.5, 1000, 2, 100}, false,
         {"КУ               1.500", "Лупа           4", "Разрешение   0.50 м", "Начало микроплана 0.00 м",
          "К1               0.00 м", "К2               0.00 м", "L                 0.00 м"}},
        {"window cut at the end", {false, 1.5, 1000, 1, 900}, false,
         {"КУ               1.500", "Лупа           2", "Разрешение   1.00 м", "Начало микроплана 500.00 м",
          "К1               0.00 м", "К2               0.00 м", "L                 0.00 м"}},
        {"real metres at KU 1.52, cursors reversed", {false, 1.52, 1000, 0, 0, 250, 100}, false,
         {"КУ               1.520", "Лупа           1", "Разрешение   1.97 м", "Начало микроплана 0.00 м",
          "К1               246.71 м", "К2               98.68 м", "L                 148.03 м"}},
        {"one KU also over a grid of several", {false, 1.5, 1000, 0, 0, 750, 250}, true,
         {"КУ               1.500", "Лупа           1", "Разрешение   2.00 м", "Начало микроплана 0.00 м",
          "К1               750.00 м", "К2               250.00 м", "L                 500.00 м"}},
        {"magnified window in the middle", {true, 2.0, 2000, 3, 1000}, false,
         {"V/2              75.0", "Лупа           8", "Разрешение   0.38 м", "Начало микроплана 656.25 м",
          "К1               0.00 м", "К2               0.00 м", "L                 0.00 м"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(texts(c.doc, c.grid), c.expected) << c.what;
}

TEST(ReportReadouts, PositionsFollowThePageSize)
{
    // W 200 mm, H 287 mm: y0 = 861, the right column at W x 2.
    const ReportReadouts r = reportReadouts(CVarnelDoc(), 200, 287);
    const int expected[kReportReadoutCount][2] = {{100, -921}, {100, -941}, {100, -961}, {100, -981},
                                                  {400, -921}, {400, -941}, {400, -961}};
    for (int i = 0; i < kReportReadoutCount; ++i) {
        EXPECT_EQ(r[static_cast<std::size_t>(i)].x, expected[i][0]) << i;
        EXPECT_EQ(r[static_cast<std::size_t>(i)].y, expected[i][1]) << i;
    }
}

TEST(ReflectogramReport, FileBecomesTheOnlyShownMemory)
{
    Trace file;
    file.memScale = 1000;
    file.memPulse = 200;
    file.memAverage = 3;
    file.memGain = 12;
    file.memKU = 1.52;
    file.raw[10] = 77;

    struct Case {
        const char* what;
        double fileKu;
        ReflectogramReportOptions options;
        bool accepted;
        double vfactor, cursor1, cursor2;
    };
    const Case cases[] = {
        {"the file's KU", 1.52, {}, true, 1.52, 0, 0},
        {"another KU, cursors in real metres", 1.52, {1.5, true, 150, 1000}, true, 1.5, 150, 1000},
        {"real metres to nominal at the file's KU", 1.52, {std::nullopt, false, 152, 0}, true, 1.52, 154.026, 0},
        {"a cursor just past the range", 1.5, {std::nullopt, false, 0, 1000.01}, false, 0, 0, 0},
        {"a negative cursor", 1.5, {std::nullopt, false, -1, 0}, false, 0, 0, 0},
        {"a file without a KU", 0, {}, false, 0, 0, 0},
        {"a file without a KU, given one", 0, {3.0, false, 500, 0}, true, 3.0, 1000, 0},
        {"a KU that is no number", 1.5, {std::nan(""), false, 0, 0}, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        file.memKU = c.fileKu;
        const Status s = showReflectogramForReport(doc, file, "line", c.options);
        ASSERT_EQ(s.ok(), c.accepted) << c.what << ": " << s.reason();
        if (!c.accepted) {
            EXPECT_FALSE(s.reason().empty()) << c.what;
            EXPECT_EQ(doc.scale, 62.5) << c.what << ": nothing changed";
            EXPECT_TRUE(doc.traces[L1].shown) << c.what;
            continue;
        }
        EXPECT_EQ(doc.vfactor, c.vfactor) << c.what;
        EXPECT_NEAR(doc.cursor1, c.cursor1, 1e-3) << c.what;
        EXPECT_NEAR(doc.cursor2, c.cursor2, 1e-3) << c.what;
        EXPECT_EQ(doc.speedMode, c.options.speedMode) << c.what;
        EXPECT_EQ(doc.scale, 1000);
        EXPECT_EQ(doc.pulse, 200);
        EXPECT_EQ(doc.average, 3);
        EXPECT_EQ(doc.gain, 12);
        EXPECT_EQ(doc.zoom, 0);
        for (int t = 0; t < kTraceCount; ++t)
            EXPECT_EQ(doc.traces[t].shown, t == P1) << c.what << " trace " << t;
        EXPECT_EQ(doc.traces[P1].name, "line");
        EXPECT_EQ(doc.traces[P1].raw[10], 77);
        EXPECT_EQ(doc.traces[P1].color, (Rgb{200, 0, 0})) << "the memory keeps its own colour";
    }
}

} // namespace
