#include "display/main_screen_series.h"
#include "display/screen_state.h"
#include "document/varnel_doc.h"
#include "measurement/channel_table.h"
#include "measurement/reflectogram_report.h"
#include "measurement/report/report_page.h"
#include "panels/report_print.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A measured memory with both cursors placed, its screen rebuilt and its channel table filled.
struct Measurement {
    CVarnelDoc doc;
    CScreenState screen;
    ChannelTable table;

    Measurement()
    {
        Trace file;
        file.memScale = 1000;
        file.memKU = 1.5;
        for (int i = 0; i < kRawSamples; ++i)
            file.raw[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 100);
        showReflectogramForReport(doc, file, "line", {std::nullopt, false, 250, 750});
        main_screen::configure(screen, doc);
        main_screen::rebuild(screen, doc);
        table = buildChannelTable(doc);
    }
};

// An A4 page less 5 mm margins (200 x 287 mm) at `dpi`, drawn with the page painter.
QImage drawnPage(const Measurement& m, int dpi)
{
    const double dotsPerMm = dpi / 25.4;
    QImage page(static_cast<int>(std::lround(200 * dotsPerMm)), static_cast<int>(std::lround(287 * dotsPerMm)),
                QImage::Format_RGB32);
    page.setDotsPerMeterX(static_cast<int>(std::lround(dotsPerMm * 1000)));
    page.setDotsPerMeterY(static_cast<int>(std::lround(dotsPerMm * 1000)));
    page.fill(Qt::white);
    QPainter painter(&page);
    CReportPage(ReportPageDevice::of(page)).draw(painter, m.doc, m.table, m.screen);
    return page;
}

// Whether any pixel of the box (page units, y downwards from the top-left) is dark.
bool inked(const QImage& page, double unitsToPixels, int x0, int y0, int x1, int y1)
{
    const auto px = [&](int u) { return static_cast<int>(std::lround(u * unitsToPixels)); };
    for (int y = px(y0); y <= px(y1) && y < page.height(); ++y)
        for (int x = px(x0); x <= px(x1) && x < page.width(); ++x)
            if (QColor(page.pixel(x, y)).lightness() < 128)
                return true;
    return false;
}

TEST(ReportPage, PartsLieWhereThePageUnitsPutThem)
{
    const Measurement m;
    const QImage page = drawnPage(m, 200);
    const ReportPageDevice device = ReportPageDevice::of(page);
    ASSERT_EQ(device.widthMm, 200);
    ASSERT_EQ(device.heightMm, 287);
    ASSERT_EQ(device.dpiX, 200);
    // W = 200 mm, H = 287 mm; 2 pixels per unit.
    struct Box {
        const char* what;
        int x0, y0, x1, y1;
        bool ink;
    };
    const Box boxes[] = {
        {"top rule, left end", 80, 79, 84, 81, true},
        {"top rule, right end", 780, 79, 786, 81, true},
        {"left of the rules", 60, 60, 76, 1130, false},
        {"title", 100, 84, 400, 104, true},
        {"between the rules, left of the title", 84, 84, 96, 103, false},
        {"below the rule under the title", 84, 109, 85, 118, false},
        {"contact lines", 560, 30, 700, 70, true},
        {"left of the contact lines", 82, 20, 555, 76, false},
        {"table's top-left corner", 89, 119, 91, 121, true},
        {"table header row bottom edge", 150, 133, 152, 135, true},
        {"screen frame, left edge", 89, 300, 91, 500, true},
        {"screen frame, bottom edge", 300, 639, 310, 641, true},
        {"empty band under the screen", 0, 645, 799, 915, false},
        {"left readouts", 100, 921, 160, 993, true},
        {"right readouts", 400, 921, 440, 973, true},
        {"below the readouts", 0, 996, 799, 1115, false},
        {"bottom rule", 80, 1118, 90, 1120, true},
    };
    for (const Box& b : boxes)
        EXPECT_EQ(inked(page, 2.0, b.x0, b.y0, b.x1, b.y1), b.ink) << b.what;

    // The rule under the title lies 82 units below a title cell of 24 +- 1 units.
    const int h = QFontMetrics(reportprint::fontOfCellHeight("Arial", 24, true)).height();
    EXPECT_NEAR(h, 24, 1);
    EXPECT_TRUE(inked(page, 2.0, 84, h + 82, 96, h + 82));
}

TEST(ReportPage, OneTransformMapsThePageOntoAnyResolution)
{
    const Measurement m;
    for (const int dpi : {100, 300}) {
        const QImage page = drawnPage(m, dpi);
        const double k = dpi / 100.0;
        // The 2-unit top rule covers rows 79..81 units at every resolution, nothing above or below.
        EXPECT_TRUE(inked(page, k, 200, 80, 200, 80)) << dpi;
        EXPECT_FALSE(inked(page, k, 200, 77, 200, 78)) << dpi;
        EXPECT_FALSE(inked(page, k, 90, 82, 92, 83)) << dpi;
        EXPECT_TRUE(inked(page, k, 89, 120, 91, 121)) << dpi;
    }
}

} // namespace
