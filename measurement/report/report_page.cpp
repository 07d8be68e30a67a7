#include "measurement/report/report_page.h"

#include "display/screen_state.h"
#include "document/varnel_doc.h"
#include "measurement/channel_table.h"
#include "measurement/report_readouts.h"
#include "resources/contact_lines.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/printing/report_print.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString title() { return QCoreApplication::translate("CReportPage", "Рефлектометр импульсный VARNEL"); }

// The page's y axis points up; text is drawn in a local frame flipped back so that it stays upright,
// with the top of its cell at `y`.
void drawTextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.save();
    painter.translate(x, y);
    painter.scale(1, -1);
    painter.drawText(QPoint(0, painter.fontMetrics().ascent()), text);
    painter.restore();
}

} // namespace

ReportPageDevice ReportPageDevice::of(const QPaintDevice& device)
{
    return {device.widthMM(), device.heightMM(), static_cast<double>(device.logicalDpiX()),
            static_cast<double>(device.logicalDpiY())};
}

CReportPage::CReportPage(const ReportPageDevice& device) : device(device) {}

int CReportPage::bottomRuleY() const { return -static_cast<int>(std::trunc(device.heightMm * 3.9)); }

void CReportPage::draw(QPainter& painter, const CVarnelDoc& doc, const ChannelTable& table,
                       const CScreenState& screen, const std::vector<EventRow>* events) const
{
    painter.save();
    // 0.01 inch per unit, y upwards: the one mapping from the page onto the device.
    painter.setTransform(QTransform::fromScale(device.dpiX / 100, -device.dpiY / 100), true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0));

    drawHeader(painter);
    ReportReadouts readouts = reportReadouts(doc, device.widthMm, device.heightMm);
    int readoutTop = std::numeric_limits<int>::min();
    int readoutBottom = 0;
    for (const ReportReadout& r : readouts) {
        readoutTop = std::max(readoutTop, r.y);
        readoutBottom = std::min(readoutBottom, r.y - kReadoutRow);
    }
    if (events) {
        const int need = (static_cast<int>(events->size()) + 1) * reportprint::kRowHeight + 2 * kReadoutGap;
        const int room = readoutBottom - bottomRuleY();
        const int highest = -(kScreenTop + kLeastScreenWithEvents + kReadoutGap);
        const int up = std::clamp(need - room, 0, std::max(highest - readoutTop, 0));
        for (ReportReadout& r : readouts)
            r.y += up;
        readoutTop += up;
        readoutBottom += up;
        drawEvents(painter, readoutBottom - kReadoutGap, *events);
    }
    drawReadouts(painter, readouts);

    painter.save();
    painter.translate(kContentLeft, -kTableTop);
    drawTable(painter, doc, table);
    painter.restore();

    painter.save();
    painter.translate(kContentLeft, -kScreenTop);
    screenPrinter.print(screen, painter, device.widthMm, screenHeight(readoutTop));
    painter.restore();

    painter.restore();
}

void CReportPage::drawHeader(QPainter& painter) const
{
    const int right = device.widthMm * 4;
    painter.save();
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(80, -kTopRule, right, -kTopRule);
    painter.drawLine(80, bottomRuleY(), right, bottomRuleY());

    painter.setFont(reportprint::fontOfCellHeight(QStringLiteral("Arial"), kTitleCellHeight, true));
    drawTextAt(painter, 100, -kTitleTop, title());
    const int h = painter.fontMetrics().height();
    painter.drawLine(80, titleRuleY(h), right, titleRuleY(h));

    painter.setFont(reportprint::fontOfCellHeight(QStringLiteral("Times New Roman"), kContactCellHeight, false));
    const int x = static_cast<int>(std::trunc(device.widthMm * 2.8));
    int y = -30;
    for (const std::string_view line : kContactLines) {
        drawTextAt(painter, x, y, translatedText("ContactLines", line));
        y -= 15;
    }
    painter.restore();
}

int CReportPage::screenHeight(int readoutTop)
{
    return std::clamp(-readoutTop - kScreenTop - kReadoutGap, 0, CScreenRenderer::kPrintHeight);
}

void CReportPage::drawReadouts(QPainter& painter, const ReportReadouts& readouts) const
{
    painter.save();
    painter.setFont(reportprint::printFont());
    for (const ReportReadout& r : readouts)
        drawTextAt(painter, r.x, r.y,
                   translatedText("ReportReadouts", r.label) +
                       translatedCell("ReportReadouts", std::string_view(r.text).substr(r.label.size())));
    painter.restore();
}

void CReportPage::drawTable(QPainter& painter, const CVarnelDoc& doc, const ChannelTable& table) const
{
    // The table is laid out with y downwards from its top-left corner.
    painter.scale(1, -1);
    std::vector<QString> titles;
    for (const std::string& t : channelColumnTitles(doc.speedMode))
        titles.push_back(translatedText("ChannelTable", t));
    reportprint::printTable(painter, device.widthMm, titles, static_cast<int>(table.rows.size()),
                            [&table](int row, int column) {
                                const std::string& cell =
                                    table.rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
                                return column == kColName ? translatedText("TraceNames", cell) : QString::fromStdString(cell);
                            });
}

void CReportPage::drawEvents(QPainter& painter, int top, const std::vector<EventRow>& events) const
{
    const int room = (top - bottomRuleY() - kReadoutGap) / reportprint::kRowHeight - 1;
    int shown = std::clamp(static_cast<int>(events.size()), 0, std::max(room, 0));
    // One row's room is kept for the count of those left out.
    if (shown < static_cast<int>(events.size()))
        shown = std::max(shown - 1, 0);
    std::vector<QString> titles;
    for (const char* t : eventColumnTitles())
        titles.push_back(translatedText("EventTable", t));
    painter.save();
    painter.translate(kContentLeft, top);
    painter.scale(1, -1);
    reportprint::printTable(painter, device.widthMm, titles, shown, [&events](int row, int column) {
        return translatedCell("EventTable", events[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
    });
    painter.restore();
    if (shown < static_cast<int>(events.size())) {
        painter.save();
        painter.setFont(reportprint::printFont());
        drawTextAt(painter, kContentLeft, top - (shown + 1) * reportprint::kRowHeight - 2,
                   QCoreApplication::translate("CReportPage", "Не поместилось событий: %1").arg(static_cast<int>(events.size()) - shown));
        painter.restore();
    }
}
