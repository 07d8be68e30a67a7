// The measurement form's display side: the main screen, the channel table, their layout, the context
// menu of mouse modes, the wheel and clicks, and the document-update dispatch.
#include "measurement/forms/form_draw.h"

#include "display/main_screen_series.h"
#include "display/mouse_modes.h"
#include "display/widgets/screen_wnd.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "measurement/acquisition_controller.h"
#include "measurement/channel_table.h"
#include "measurement/forms/report_printing.h"
#include "resources/command_text.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/report_ctrl.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QWheelEvent>

namespace {

constexpr int kScreenId = 154;
constexpr int kChannelTableId = 158;

} // namespace

void CFormDraw::createScreenAndTable()
{
    setAccessibleName(tr("Измерение"));
    screen = new CScreenWnd(this, kScreenId);
    screen->setAccessibleName(tr("Экран рефлектограмм"));
    main_screen::configure(screen->state(), doc);
    connect(screen, &CScreenWnd::leftClicked, this, &CFormDraw::onScreenClick);
    // A right click on the screen does nothing; the context menu comes from the form itself.

    channelTable = new CReportCtrl(this);
    channelTable->create(this, QRect(), kChannelTableId);
    channelTable->setAccessibleName(tr("Таблица каналов"));
    channelTable->setEnabled(false);   // it only displays
    QStringList titles;
    for (const std::string& title : channelColumnTitles(doc.speedMode))
        titles.push_back(translatedText("ChannelTable", title));
    channelTable->insertColumns(titles);
    channelTable->setColors(this);
    fillChannelTable();
}

void CFormDraw::registerFormCommands()
{
    registrations.push_back(commands.addScoped(cmd::kChannelParams, [this] {
        tableShown = !tableShown;
        doc.updateAllViews(nullptr, kHintLines);
    }, [this] { return CommandState{true, tableShown}; }));

    reportPrinting = new CReportPrinting(doc, controller, *screen, this);
    const auto always = [] { return CommandState{true, false}; };
    registrations.push_back(commands.addScoped(cmd::kPrint, [this] { reportPrinting->print(); }, always, false));
    registrations.push_back(commands.addScoped(cmd::kPrintPreview, [this] { reportPrinting->preview(); }, always, false));
    registrations.push_back(commands.addScoped(cmd::kSaveReportPdf, [this] { reportPrinting->savePdf(); }, always, false));
    registrations.push_back(commands.addScoped(cmd::kPrintEventTable,
                                               [this] { reportPrinting->printEvents = !reportPrinting->printEvents; },
                                               [this] { return CommandState{true, reportPrinting->printEvents}; }));
}

ReportCellColors CFormDraw::cellColors(int row, int) const
{
    ReportCellColors colors;
    Rgb c;
    // The list shows the channel's name in the program's language; the document knows it by its own.
    const QString shown = channelTable->getCell(row, kColName);
    for (int i = 0; i < kTraceCount; ++i)
        if (shown == translatedText("TraceNames", traceName(i)) && channelRowColor(doc, traceName(i), c))
            colors.text = QColor(c.r, c.g, c.b);
    colors.background = Qt::black;
    return colors;
}

void CFormDraw::fillChannelTable()
{
    const ChannelTable table = buildChannelTable(doc);
    // Most updates bring new samples and leave the text as it was: the table is not touched then. The
    // text is compared as built, before the names are translated for the list.
    bool same = shownCells.size() == table.rows.size();
    for (std::size_t i = 0; same && i < table.rows.size(); ++i)
        same = shownCells[i] == table.rows[i].cells;
    if (same && channelTable->getItemCount() == static_cast<int>(table.rows.size()))
        return;
    shownCells.clear();
    for (const ChannelRow& row : table.rows)
        shownCells.push_back(row.cells);
    channelTable->clear();
    for (int i = 0; i < static_cast<int>(table.rows.size()); ++i)
        for (int j = 0; j < kChannelColumnCount; ++j)
            channelTable->addCell(i, j, j == kColName ? translatedText("TraceNames", table.rows[i].cells[j])
                                                      : QString::fromStdString(table.rows[i].cells[j]));
    channelTable->updateCount();
}

void CFormDraw::sizeColumns()
{
    const auto widths = channelColumnWidths(width(), doc.returnLoss);
    for (int i = 0; i < kChannelColumnCount; ++i)
        channelTable->setColumnWidth(i, widths[i]);
}

int CFormDraw::tableItemHeight() const
{
    return channelTable->getItemCount() > 0 ? channelTable->getItemRect(0).height() : kEmptyTableItemHeight;
}

QSize CFormDraw::minimumSizeHint() const
{
    // A usable main screen (a plot of kMinPlotHeight with its labels around it) over the whole table;
    // the frame gives up the library's room before it goes below this.
    if (!screen || !channelTable)
        return QWidget::minimumSizeHint();
    constexpr int probe = 1000;
    const PixelRect plot = screen->renderer().plotRect(screen->state(), {0, 0, probe, probe}, false);
    const int screenHeight = kMinPlotHeight + probe - plot.height();
    const int table =
        tableShown ? probe - layoutChannelTable(probe, probe, tableItemHeight(), channelTable->getItemCount()).screenHeight
                   : 0;
    return {plot.left + kMinPlotHeight, screenHeight + table};
}

void CFormDraw::layoutTable()
{
    const int rows = channelTable->getItemCount();
    const ChannelTableLayout l = layoutChannelTable(width(), height(), tableItemHeight(), rows);
    channelTable->setGeometry(l.tableX, l.tableY, l.tableWidth, l.tableHeight);
    screen->resizeScreen(0, 0, l.screenWidth, l.screenHeight);
}

void CFormDraw::retitleSpeedColumn()
{
    channelTable->setColumnTitle(kColSpeed, translatedText("ChannelTable", speedColumnTitle(doc.speedMode)));
}

void CFormDraw::drawScreen()
{
    screen->state().captureMode = doc.capture;
    screen->draw();
}

void CFormDraw::onDocumentUpdate(CDocView*, UpdateHint hint)
{
    if (!updated)
        return;
    controller.onDocumentUpdate(hint);   // restarts on 2 and 4 while running, cancels on 4 while stopped
    if (hint == kHintSpeedMode) {
        retitleSpeedColumn();
        fillChannelTable();
        // Repainted from what is composed: the screen's picture does not change with the unit.
        update();
        screen->update();
        return;
    }
    if (hint == kHintReturnLoss) {
        sizeColumns();
        if (tableShown)
            layoutTable();
        return;
    }
    main_screen::rebuild(screen->state(), doc);
    fillChannelTable();
    if (hint == kHintLines) {
        // The rows (or the table) came or went: the frame lays its rows out for the new minimum.
        updateGeometry();
        if (tableShown) {
            sizeColumns();
            layoutTable();
        } else {
            screen->resizeScreen(0, 0, width(), height());
            channelTable->setGeometry(QRect());
        }
    }
    drawScreen();
}

void CFormDraw::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A resized screen is first drawn without persistence.
    doc.capture = false;
    if (tableShown) {
        sizeColumns();
        layoutTable();
    } else {
        screen->resizeScreen(0, 0, width(), height());
    }
    // Before its first update the form has nothing to show: that update draws the screen.
    if (controller.initialized() && updated)
        drawScreen();
}

void CFormDraw::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    for (int mode = 0; mode < kMouseModeCount; ++mode) {
        const int id = cmd::kMouseMagnifier + mode;
        if (mode == 1 || mode == 3 || mode == 5)
            menu.addSeparator();
        const CommandText* text = commandText(id);
        QAction* item = menu.addAction(translatedText("CommandText", text ? text->menu : ""));
        const CommandState state = commands.state(id);
        item->setCheckable(true);
        item->setChecked(static_cast<int>(doc.mouseMode) == mode);
        item->setEnabled(state.enabled);
        connect(item, &QAction::triggered, this, [this, id] { commands.run(id); });
    }
    menu.exec(event->globalPos());
}

void CFormDraw::wheelEvent(QWheelEvent* event)
{
    for (int step : notches.feed(event->angleDelta().y(), event->timestamp()))
        mouse_modes::mainScreenWheel(doc, step, [this] {
            controller.cancelCommands();
            controller.applyParameters();
        });
    event->accept();
}

void CFormDraw::leaveEvent(QEvent* event)
{
    notches.reset();
    QWidget::leaveEvent(event);
}

void CFormDraw::onScreenClick()
{
    // A click on an event's mark chooses its row in the event list instead of acting in the mouse mode.
    if (const int mark = main_screen::eventMarkAt(screen->state(), screen->state().getLeftClick()); mark >= 0) {
        doc.eventMarks.chosen = mark;
        doc.updateAllViews(nullptr, kHintEvents);
        return;
    }
    mouse_modes::mainScreenClick(doc, screen->state().getLeftClick());
}
