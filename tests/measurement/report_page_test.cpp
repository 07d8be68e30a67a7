#include "display/main_screen_series.h"
#include "display/screen_state.h"
#include "document/varnel_doc.h"
#include "measurement/channel_table.h"
#include "measurement/reflectogram_report.h"
#include "measurement/report/report_page.h"
#include "widgets/printing/report_print.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A page of `widthMm` x `heightMm` (A4 less 5 mm margins unless told) at `dpi`, with a memory over
// 1000 m and both cursors.
QImage drawnPage(int dpi, int widthMm = 200, int heightMm = 287)
{
    CVarnelDoc doc;
    Trace file;
    file.memScale = 1000;
    for (int i = 0; i < kRawSamples; ++i)
        file.raw[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 100);
    showReflectogramForReport(doc, file, "line", {std::nullopt, false, 250, 750});
    CScreenState screen;
    main_screen::configure(screen, doc);
    main_screen::rebuild(screen, doc);

    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    QImage page(static_cast<int>(std::lround(widthMm * dpi / 25.4)),
                static_cast<int>(std::lround(heightMm * dpi / 25.4)), QImage::Format_RGB32);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    page.fill(Qt::white);
    QPainter painter(&page);
    CReportPage(ReportPageDevice::of(page)).draw(painter, doc, buildChannelTable(doc), screen);
    return page;
}

TEST(ReportPage, OneTransformPutsThePartsWhereThePageUnitsSay)
{
    // W = 200 mm, H = 287 mm. Boxes in page units, y downwards from the top-left.
    const int titleCell = QFontMetrics(reportprint::fontOfCellHeight("Arial", 24, true)).height();
    EXPECT_NEAR(titleCell, 24, 1);
    struct Box {
        const char* what;
        int x0, y0, x1, y1;
        bool ink;
    };
    const Box boxes[] = {
        {"top rule", 200, 80, 200, 80, true},
        {"above the top rule", 200, 77, 200, 78, false},
        {"left of the rules", 60, 60, 76, 1130, false},
        {"title", 100, 84, 400, 104, true},
        {"between the rules, left of the title", 84, 84, 96, 103, false},
        {"rule under the title cell", 84, titleCell + 82, 96, titleCell + 82, true},
        {"contact lines", 560, 30, 700, 70, true},
        {"left of the contact lines", 82, 20, 555, 76, false},
        {"table's top-left corner", 89, 119, 91, 121, true},
        {"screen frame, left edge", 89, 300, 91, 500, true},
        {"empty band under the screen", 0, 645, 799, 915, false},
        {"left readouts", 100, 921, 160, 993, true},
        {"right readouts", 400, 921, 440, 973, true},
        {"below the readouts", 0, 996, 799, 1117, false},
        {"bottom rule", 80, 1118, 90, 1120, true},
    };
    for (const int dpi : {100, 200, 300}) {
        const QImage page = drawnPage(dpi);
        const ReportPageDevice device = ReportPageDevice::of(page);
        ASSERT_TRUE(device.widthMm == 200 && device.heightMm == 287 && device.dpiX == dpi) << dpi;
        const double k = dpi / 100.0;
        const auto inked = [&](const Box& b) {
            const auto px = [k](int u) { return static_cast<int>(std::lround(u * k)); };
            for (int y = px(b.y0); y <= px(b.y1) && y < page.height(); ++y)
                for (int x = px(b.x0); x <= px(b.x1) && x < page.width(); ++x)
                    if (QColor(page.pixel(x, y)).lightness() < 128)
                        return true;
            return false;
        };
        for (const Box& b : boxes)
            EXPECT_EQ(inked(b), b.ink) << b.what << " at " << dpi << " dpi";
    }
}

TEST(ReportPage, TheScreenLeavesTheReadoutsTheirRoomOnSmallPaper)
{
    // Readouts begin 60 units below trunc(H x 3); the screen's frame must end a gap above them.
    struct Case { const char* paper; int widthMm, heightMm, screenBottom; };
    const Case cases[] = {
        {"A4 portrait", 200, 287, 640},            // the full 400 units
        {"A5 landscape", 200, 138, 414 + 60 - 10},
        {"A6 landscape", 138, 95, 285 + 60 - 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paper);
        const QImage page = drawnPage(100, c.widthMm, c.heightMm);
        const auto inked = [&](int x0, int x1, int y0, int y1) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                    if (QColor(page.pixel(x, y)).lightness() < 128)
                        return true;
            return false;
        };
        const int readoutTop = static_cast<int>(std::trunc(c.heightMm * 3.0)) + 60;
        EXPECT_EQ(CReportPage::screenHeight(-readoutTop), c.screenBottom - CReportPage::kScreenTop);
        EXPECT_TRUE(inked(89, 91, c.screenBottom - 30, c.screenBottom));   // the frame's left edge
        EXPECT_TRUE(inked(300, 310, c.screenBottom - 1, c.screenBottom + 1));   // its bottom edge
        EXPECT_FALSE(inked(0, page.width() - 1, c.screenBottom + 2, readoutTop - 1));
        EXPECT_TRUE(inked(100, 160, readoutTop, readoutTop + 12));
    }
}

} // namespace
