#include "measurement/analysis/forms/events_dlg.h"

#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "measurement/analysis/forms/trace_choice.h"
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

namespace {

constexpr int kLiveRefreshMs = 1000;

QString typeOf(const ReflectionEvent& e)
{
    if (e.end)
        return QStringLiteral("Конец линии");
    return e.polarity > 0 ? QStringLiteral("Положительное") : QStringLiteral("Отрицательное");
}

QString fixed(double v, int decimals) { return QString::fromStdString(numtext::fixed(v, decimals)); }

} // namespace

CEventsDlg::CEventsDlg(CVarnelDoc& doc, QWidget* parent)
    : QDialog(parent), doc(doc), traceChoice(new QComboBox(this)), events(new CReportCtrl(this)),
      summary(new QLabel(this))
{
    setWindowTitle(QStringLiteral("События"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* traceLabel = new QLabel(QStringLiteral("Линия"), this);
    traceLabel->setBuddy(traceChoice);
    setToolTipText(*traceChoice, QStringLiteral("Линия или память, в которой ищутся события"));
    auto* again = new QPushButton(QStringLiteral("Обновить"), this);
    setToolTipText(*again, QStringLiteral("Найти события заново"));
    row->addWidget(traceLabel);
    row->addWidget(traceChoice, 1);
    row->addWidget(again);
    layout->addLayout(row);

    // Each column wide enough for its title and its longest cell.
    const QFontMetrics metrics = events->fontMetrics();
    for (const auto& [title, widest] : {std::pair{"№", "999"}, {"Расстояние", "99999.99 м"},
                                        {"Тип", "Отрицательное"}, {"Амплитуда", "-999"},
                                        {"Обратные потери", "99.9 дБ"}, {"Повтор", "×9"}}) {
        const QString text = QString::fromUtf8(title);
        const int column = events->insertColumn(text);
        const int textWidth = std::max(metrics.horizontalAdvance(text), metrics.horizontalAdvance(QString::fromUtf8(widest)));
        events->setColumnWidth(column, textWidth + 24);
    }
    events->setAccessibleName(QStringLiteral("События"));
    events->setColors(this);
    layout->addWidget(events, 1);
    layout->addWidget(summary);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    resize(560, 360);

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

void CEventsDlg::fillTraceChoice()
{
    const int before = chosenTrace();
    traceChoice->clear();
    for (int t : shownTraces(doc))
        traceChoice->addItem(QString::fromUtf8(traceName(t)), t);
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
        summary->setText(QStringLiteral("Нет показанной линии или памяти"));
        events->updateCount();
        return;
    }
    const TraceSamples source = traceSamples(doc, trace);
    found = finder.find(source.samples, source.grid, documentDistances(doc));
    int row = 0;
    for (const ReflectionEvent& e : found.events) {
        events->addCell(row, 0, QString::number(row + 1));
        events->addCell(row, 1, fixed(e.distance, 2) + QStringLiteral(" м"));
        events->addCell(row, 2, typeOf(e));
        events->addCell(row, 3, fixed(e.polarity * e.amplitude, 0));
        events->addCell(row, 4, e.returnLossDb ? fixed(*e.returnLossDb, 1) + QStringLiteral(" дБ") : QStringLiteral("-"));
        events->addCell(row, 5, e.multiple > 0 ? QStringLiteral("×%1").arg(e.multiple) : QString());
        ++row;
    }
    events->updateCount();
    summary->setText(QStringLiteral("Найдено событий: %1, шум %2").arg(found.events.size()).arg(fixed(found.noiseSigma, 1)));
}

void CEventsDlg::placeCursorOn(int row)
{
    if (row < 0 || row >= static_cast<int>(found.events.size()))
        return;
    double& cursor = doc.activeCursorPos();
    cursor = std::clamp(found.events[static_cast<std::size_t>(row)].position, 0.0, doc.scale);
    doc.vfactor = doc.kuAt(cursor);
    // A magnified window follows the cursor when the event lies outside it.
    const Span win = doc.window();
    if (doc.zoom > 0 && (cursor < win.left || cursor > win.right)) {
        doc.zoomCenter = cursor;
        doc.updateAllViews(this, kHintAcqParams);
    } else {
        doc.updateAllViews(this, kHintRedraw);
    }
}

void CEventsDlg::onDocumentUpdate(CDocView*, UpdateHint hint)
{
    if (!isVisible())
        return;
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
