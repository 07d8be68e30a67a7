#pragma once

#include "display/render/screen_renderer.h"
#include "measurement/analysis/event_table.h"
#include "measurement/report_readouts.h"

#include <vector>

class CScreenState;
class CVarnelDoc;
class QPaintDevice;
class QPainter;
struct ChannelTable;

// The printable area of the device a report page goes to: its size in millimetres and its resolution.
struct ReportPageDevice {
    int widthMm = 0;
    int heightMm = 0;
    double dpiX = 100;
    double dpiY = 100;

    // A printer, a PDF writer or an image: what it reports as its paintable size and resolution.
    static ReportPageDevice of(const QPaintDevice& device);
};

// The one-page report of a measurement: the header with the title and the contact lines between two
// rules, the channel table, the screen, the readouts, on request the event table under them, and the
// rule at the foot of the page. The page is
// laid out in 0.01 inch with y upwards from the top-left of the printable area and mapped onto the
// device by one transform, so a printer, a print preview and a PDF writer get the same page. Needs only
// Qt GUI (no widgets).
class CReportPage {
public:
    // Vertical offsets of the page's parts, in page units below the top of the printable area.
    static constexpr int kTopRule = 80;
    static constexpr int kTitleTop = 81;
    static constexpr int kTitleCellHeight = 24;
    static constexpr int kContactCellHeight = 10;
    static constexpr int kContentLeft = 90;
    static constexpr int kTableTop = 120;
    static constexpr int kScreenTop = 240;
    // Between the printed screen and the readouts below it, and between the readouts and the events.
    static constexpr int kReadoutGap = 10;
    // The height of a row of readouts.
    static constexpr int kReadoutRow = 20;
    // The least the printed screen keeps when the readouts move up to make room for the events.
    static constexpr int kLeastScreenWithEvents = 200;

    explicit CReportPage(const ReportPageDevice& device);

    // Draws the page with `painter`, active on the device the page was made for, whose origin is the
    // top-left of the printable area. `table` holds the rows of the channel table; `screen` is drawn
    // as the printed screen (the caller sets its captureMode from the document first). With `events` the
    // event table is printed under the readouts; where its rows do not fit above the foot of the page
    // the readouts move up (the screen getting lower, down to kLeastScreenWithEvents), and rows that
    // still do not fit are counted under the table instead.
    void draw(QPainter& painter, const CVarnelDoc& doc, const ChannelTable& table, const CScreenState& screen,
              const std::vector<EventRow>* events = nullptr) const;

    // The y of the rule under the title (negative) when the title font's cell is `titleHeight` high.
    static int titleRuleY(int titleHeight) { return -(titleHeight + 82); }
    // The y of the rule at the foot of the page (negative).
    int bottomRuleY() const;
    // The printed screen's height: 400 units, less on a page too low for the screen above the readouts
    // whose top lies at `readoutTop` (negative), so that they never overlap.
    static int screenHeight(int readoutTop);

private:
    void drawHeader(QPainter& painter) const;
    void drawReadouts(QPainter& painter, const ReportReadouts& readouts) const;
    void drawTable(QPainter& painter, const CVarnelDoc& doc, const ChannelTable& table) const;
    // The event table with its top at `top` (negative), as many rows as fit above the foot rule.
    void drawEvents(QPainter& painter, int top, const std::vector<EventRow>& events) const;

    ReportPageDevice device;
    CScreenRenderer screenPrinter;
};
