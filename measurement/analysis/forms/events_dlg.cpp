#include "measurement/analysis/forms/events_dlg.h"

#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "measurement/analysis/event_table.h"
#include "measurement/analysis/forms/cursor_placing.h"
#include "measurement/analysis/forms/trace_choice.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/report_ctrl.h"
#include "widgets/tool_tip_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr int kLiveRefreshMs = 1000;

QString fixed(double v, int decimals) { return QString::fromStdString(numtext::fixed(v, decimals)); }

} // namespace

CEventsDlg::CEventsDlg(CVarnelDoc& doc, QWidget* parent)
    : QDialog(parent), doc(doc), traceChoice(new QComboBox(this)), events(new CReportCtrl(this)),
      summary(new QLabel(this))
{
    setWindowTitle(tr("События"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* traceLabel = new QLabel(tr("Линия"), this);
    traceLabel->setBuddy(traceChoice);
    setToolTipText(*traceChoice, tr("Линия или память, в которой ищутся события"));
    auto* again = new QPushButton(tr("Обновить"), this);
    setToolTipText(*again, tr("Найти события заново"));
    row->addWidget(traceLabel);
    row->addWidget(traceChoice, 1);
    row->addWidget(again);
    layout->addLayout(row);

    // Each column wide enough for its title and its longest cell.
    const QFontMetrics metrics = events->fontMetrics();
    constexpr std::array<const char*, kEventColumnCount> widest{"999", "99999.99 м", "Отрицательное", "-999",
                                                               "99.9 дБ", "×9"};
    int columnsWidth = 0;
    for (int c = 0; c < kEventColumnCount; ++c) {
        const QString text = translatedText("EventTable", eventColumnTitles()[static_cast<std::size_t>(c)]);
        const int column = events->insertColumn(text);
        const int textWidth = std::max(metrics.horizontalAdvance(text),
                                       metrics.horizontalAdvance(translatedCell("EventTable", widest[static_cast<std::size_t>(c)])));
        events->setColumnWidth(column, textWidth + 24);
        columnsWidth += textWidth + 24;
    }
    events->setAccessibleName(tr("События"));
    events->setColors(this);
    layout->addWidget(events, 1);
    layout->addWidget(summary);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    // Wide enough to show every column without scrolling sideways.
    resize(std::max(560, columnsWidth + 60), 360);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(again, &QPushButton::clicked, this, &CEventsDlg::refresh);
    connect(traceChoice, &QComboBox::activated, this, &CEventsDlg::refresh);
    connect(events, &QAbstractItemView::activated, this, [this](const QModelIndex& index) { placeCursorOn(index.row()); });
    doc.addView(this);
}

CEventsDlg::~CEventsDlg()
{
    events->setColors(nullptr);
    doc.removeView(this);
    // Gone without a hide (the window closing with its owner): nothing is left to mark.
    doc.eventMarks = {};
}

ReportCellColors CEventsDlg::cellColors(int row, int) const
{
    if (row < 0 || row >= static_cast<int>(found.events.size()) || found.events[static_cast<std::size_t>(row)].multiple == 0)
        return {};
    return {palette().color(QPalette::Disabled, QPalette::Text), {}};
}

void CEventsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fillTraceChoice();
    refresh();
}

void CEventsDlg::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    doc.eventMarks = {};
    doc.updateAllViews(this, kHintEvents);
}

void CEventsDlg::publishMarks(int trace)
{
    EventMarks marks;
    marks.trace = trace;
    for (const ReflectionEvent& e : found.events)
        marks.marks.push_back({e.position, e.multiple > 0});
    // The same events found again (the cursor moved): the screen has nothing new to draw.
    if (marks.trace == doc.eventMarks.trace && marks.marks == doc.eventMarks.marks)
        return;
    doc.eventMarks = std::move(marks);
    doc.updateAllViews(this, kHintEvents);
}

void CEventsDlg::fillTraceChoice()
{
    const int before = chosenTrace();
    traceChoice->clear();
    for (int t : shownTraces(doc))
        traceChoice->addItem(translatedText("TraceNames", traceName(t)), t);
    const int again = traceChoice->findData(before);
    traceChoice->setCurrentIndex(std::max(again, 0));
}

int CEventsDlg::chosenTrace() const { return traceChoice->currentIndex() < 0 ? -1 : traceChoice->currentData().toInt(); }

void CEventsDlg::refresh()
{
    sinceRefresh.start();
    events->clear();
    found = {};
    const int trace = chosenTrace();
    if (trace < 0) {
        summary->setText(tr("Нет показанной линии или памяти"));
        events->updateCount();
        publishMarks(trace);
        return;
    }
    const TraceSamples source = traceSamples(doc, trace);
    found = finder.find(source.samples, source.grid, documentDistances(doc));
    const std::vector<EventRow> rows = eventRows(found);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        for (int c = 0; c < kEventColumnCount; ++c)
            events->addCell(row, c, translatedCell("EventTable", rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(c)]));
    events->updateCount();
    publishMarks(trace);
    summary->setText(tr("Найдено событий: %1, шум %2").arg(found.events.size()).arg(fixed(found.noiseSigma, 1)));
}

void CEventsDlg::placeCursorOn(int row)
{
    if (row < 0 || row >= static_cast<int>(found.events.size()))
        return;
    placeActiveCursor(doc, found.events[static_cast<std::size_t>(row)].position, this);
}

void CEventsDlg::onDocumentUpdate(CDocView*, UpdateHint hint)
{
    if (!isVisible())
        return;
    if (hint == kHintEvents) {
        // A mark chosen on the screen: its row becomes the selection.
        const int chosen = doc.eventMarks.chosen;
        if (chosen >= 0 && chosen < events->getItemCount()) {
            for (int row = 0; row < events->getItemCount(); ++row)
                events->setRowSelected(row, row == chosen);
            events->scrollTo(events->model()->index(chosen, 0));
        }
        return;
    }
    if (hint == kHintLines) {
        fillTraceChoice();
        refresh();
        return;
    }
    const int trace = chosenTrace();
    const bool live = trace == L1 || trace == L2;
    if (hint == kHintNewSamples && live && sinceRefresh.elapsed() >= kLiveRefreshMs)
        refresh();
    else if (hint == kHintRedraw || hint == kHintAcqParams)
        refresh();   // the KU, the sections or the window changed the distances
}
