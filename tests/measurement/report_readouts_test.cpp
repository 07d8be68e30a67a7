#include "measurement/reflectogram_report.h"
#include "measurement/report_readouts.h"

#include "document/varnel_doc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

TEST(ReportReadouts, TextsAndPlacesFollowTheDocumentAndPage)
{
    struct Case {
        const char* what;
        bool speedMode, grid;
        double vfactor, scale;
        int zoom;
        double zoomCenter, cursor1, cursor2;
        std::array<std::string, kReportReadoutCount> expected;
    };
    const Case cases[] = {
        {"V/2 of KU 1.5", true, false, 1.5, 1000, 0, 0, 0, 0,
         {"V/2              100.0", "Лупа           1", "Разрешение   2.00 м", "Начало микроплана 0.00 м",
          "К1               0.00 м", "К2               0.00 м", "L                 0.00 м"}},
        {"window cut at the start", false, false, 1.5, 1000, 2, 100, 0, 0,
         {"КУ               1.500", "Лупа           4", "Разрешение   0.50 м", "Начало микроплана 0.00 м",
          "К1               0.00 м", "К2               0.00 м", "L                 0.00 м"}},
        {"window cut at the end, KU 1.52, cursors reversed", false, false, 1.52, 1000, 1, 900, 250, 100,
         {"КУ               1.520", "Лупа           2", "Разрешение   0.99 м", "Начало микроплана 493.42 м",
          "К1               246.71 м", "К2               98.68 м", "L                 148.03 м"}},
        // 0..500 nominal metres at KU 1.0 (750 m), then KU 2.0: the distances of the cursor row.
        {"section by section with the grid on", false, true, 1.5, 1000, 1, 750, 750, 250,
         {"КУ               1.500", "Лупа           2", "Разрешение   0.75 м", "Начало микроплана 750.00 м",
          "К1               937.50 м", "К2               375.00 м", "L                 562.50 м"}},
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        doc.speedMode = c.speedMode;
        doc.vfactor = c.vfactor;
        doc.scale = c.scale;
        doc.zoom = c.zoom;
        doc.zoomCenter = c.zoomCenter;
        doc.cursor1 = c.cursor1;
        doc.cursor2 = c.cursor2;
        if (c.grid) {
            doc.gridMode = doc.sectionsLoaded = true;
            doc.sections.add({1.0, 50000, 0, 50000});
            doc.sections.add({2.0, 50000, 50000, 100000});
        }
        // W 200 mm, H 287 mm: y0 = 861, the right column at W x 2.
        const ReportReadouts r = reportReadouts(doc, 200, 287);
        for (std::size_t i = 0; i < r.size(); ++i) {
            EXPECT_EQ(r[i].text, c.expected[i]) << c.what;
            EXPECT_EQ(r[i].x, i < 4 ? 100 : 400) << i;
            EXPECT_EQ(r[i].y, -861 - 60 - 20 * static_cast<int>(i % 4)) << i;
        }
    }
}

TEST(ReflectogramReport, FileBecomesTheOnlyShownMemory)
{
    Trace file;
    file.memScale = 1000;
    file.memPulse = 200;
    file.memGain = 12;
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
        {"another KU", 1.52, {1.5, true, 150, 1000, {}}, true, 1.5, 150, 1000},
        {"real metres to nominal", 1.52, {std::nullopt, false, 152, 0, {}}, true, 1.52, 154.026, 0},
        {"a cursor just past the range", 1.5, {std::nullopt, false, 0, 1000.01, {}}, false, 0, 0, 0},
        {"a file without a KU", 0, {}, false, 0, 0, 0},
        {"a file without a KU, given one", 0, {3.0, false, 500, 0, {}}, true, 3.0, 1000, 0},
        {"a KU that is no number", 1.5, {std::nan(""), false, 0, 0, {}}, false, 0, 0, 0},
        // The grid on: 100 nominal metres at KU 2.0 (75 m), then KU 1.5; the KU is cursor 1's section's.
        {"real metres section by section", 0, {std::nullopt, false, 150, 30, {{2.0, 10000, 0, 10000}, {1.5, 90000, 10000, 100000}}},
         true, 1.5, 175, 40},
        {"the grid's range in real metres", 1.5, {std::nullopt, false, 0, 975.01, {{2.0, 10000, 0, 10000}, {1.5, 90000, 10000, 100000}}},
         false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        file.memKU = c.fileKu;
        const Status s = showReflectogramForReport(doc, file, "line", c.options);
        ASSERT_EQ(s.ok(), c.accepted) << c.what << ": " << s.reason();
        if (!c.accepted) {
            EXPECT_TRUE(doc.scale == 62.5 && doc.traces[L1].shown && !doc.traces[P1].shown) << c.what;
            continue;
        }
        EXPECT_EQ(doc.vfactor, c.vfactor) << c.what;
        EXPECT_NEAR(doc.cursor1, c.cursor1, 1e-3) << c.what;
        EXPECT_NEAR(doc.cursor2, c.cursor2, 1e-3) << c.what;
        EXPECT_EQ(doc.speedMode, c.options.speedMode) << c.what;
        EXPECT_EQ(doc.gridActive(), !c.options.sections.empty()) << c.what;
        EXPECT_TRUE(doc.scale == 1000 && doc.pulse == 200 && doc.gain == 12 && doc.zoom == 0) << c.what;
        for (int t = 0; t < kTraceCount; ++t)
            EXPECT_EQ(doc.traces[t].shown, t == P1) << c.what << " trace " << t;
        const Trace& p1 = doc.traces[P1];
        EXPECT_TRUE(p1.name == "line" && p1.raw[10] == 77 && p1.color == (Rgb{200, 0, 0})) << c.what;
    }
}

} // namespace
