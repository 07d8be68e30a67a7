#include "measurement/analysis/forms/compare_dlg.h"

#include "document/memory_resampling.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "measurement/analysis/change_table.h"
#include "measurement/analysis/forms/cursor_placing.h"
#include "measurement/analysis/forms/trace_choice.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/report_ctrl.h"
#include "widgets/tool_tip_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

QString fixed(double v, int decimals) { return QString::fromStdString(numtext::fixed(v, decimals)); }

int chosen(const QComboBox& choice) { return choice.currentIndex() < 0 ? -1 : choice.currentData().toInt(); }

} // namespace

CCompareDlg::CCompareDlg(CVarnelDoc& doc, QWidget* parent)
    : QDialog(parent), doc(doc), line(new QComboBox(this)), baseline(new QComboBox(this)),
      changes(new CReportCtrl(this)), summary(new QLabel(this))
{
    setWindowTitle(tr("Сравнить с эталоном"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    setToolTipText(*line, tr("Линия или память, которая сравнивается с эталоном"));
    setToolTipText(*baseline, tr("Память с рефлектограммой исправной линии"));
    form->addRow(tr("Линия"), line);
    form->addRow(tr("Эталон"), baseline);
    layout->addLayout(form);
    auto* again = new QPushButton(tr("Сравнить"), this);
    setToolTipText(*again, tr("Сравнить линию с эталоном заново"));
    layout->addWidget(again, 0, Qt::AlignLeft);

    const QFontMetrics metrics = changes->fontMetrics();
    constexpr std::array<const char*, kChangeColumnCount> widest{"999", "99999.99 м", "изменилось", "-999.9"};
    int columnsWidth = 0;
    for (int c = 0; c < kChangeColumnCount; ++c) {
        const QString text = translatedText("ChangeTable", changeColumnTitles()[static_cast<std::size_t>(c)]);
        const int column = changes->insertColumn(text);
        const int width = std::max(metrics.horizontalAdvance(text),
                                   metrics.horizontalAdvance(translatedCell("ChangeTable", widest[static_cast<std::size_t>(c)]))) + 24;
        changes->setColumnWidth(column, width);
        columnsWidth += width;
    }
    changes->setAccessibleName(tr("Изменения"));
    layout->addWidget(changes, 1);
    summary->setWordWrap(true);
    summary->setAccessibleName(tr("Итог сравнения"));
    layout->addWidget(summary);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    resize(std::max(440, columnsWidth + 60), 340);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(again, &QPushButton::clicked, this, [this] { compare(); });
    connect(line, &QComboBox::activated, this, [this] { compare(); });
    connect(baseline, &QComboBox::activated, this, [this] { compare(); });
    connect(changes, &QAbstractItemView::activated, this, [this](const QModelIndex& index) { placeCursorOn(index.row()); });
    fillChoices();
}

void CCompareDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fillChoices();
    compare();
}

void CCompareDlg::fillChoices()
{
    const int lineBefore = chosen(*line), baselineBefore = chosen(*baseline);
    line->clear();
    baseline->clear();
    for (int t : shownTraces(doc)) {
        line->addItem(translatedText("TraceNames", traceName(t)), t);
        if (t >= P1)
            baseline->addItem(translatedText("TraceNames", traceName(t)), t);
    }
    line->setCurrentIndex(std::max(0, line->findData(lineBefore)));
    // The baseline is the memory the difference mode already subtracts, else the last one shown.
    const int preferred = baselineBefore >= 0 ? baselineBefore : doc.difference ? doc.selectedTrace : -1;
    const int index = baseline->findData(preferred);
    baseline->setCurrentIndex(index >= 0 ? index : baseline->count() - 1);
}

Status CCompareDlg::compareChosen(BaselineComparison& result) const
{
    const int now = chosen(*line), base = chosen(*baseline);
    if (base < 0)
        return windowFailure(tr("Загрузите эталонную рефлектограмму в память П1, П2 или П3"));
    if (now < 0 || now == base)
        return windowFailure(tr("Выберите линию, отличную от эталона"));
    const Trace& memory = doc.traces[static_cast<std::size_t>(base)];
    const TraceSamples ownSamples = traceSamples(doc, now);
    if (now == L1 || now == L2) {
        // A live line is the window the instrument sends: the memory is compared as the screen shows
        // it in that window, which only a memory of the same range and pulse can be.
        if (std::abs(memory.memScale - doc.scale) > 1e-9 || std::abs(memory.memPulse - doc.pulse) > 1e-9)
            return windowFailure(tr("Эталон снят на другом диапазоне или с другим импульсом"));
        std::array<std::uint8_t, kWindowSamples> window{};
        resampleMemory(memory, doc.scale, doc.zoom, doc.window().left, window);
        return compareWithBaseline(ownSamples.samples, ownSamples.grid, window, ownSamples.grid, documentDistances(doc),
                                   {}, result);
    }
    const TraceSamples baseSamples = traceSamples(doc, base);
    return compareWithBaseline(ownSamples.samples, ownSamples.grid, baseSamples.samples, baseSamples.grid,
                               documentDistances(doc), {}, result);
}

Status CCompareDlg::compare()
{
    fillChoices();
    changes->clear();
    found = {};
    const Status s = compareChosen(found);
    if (!s) {
        changes->updateCount();
        summary->setText(userText(s));
        return s;
    }
    const std::vector<ChangeRow> rows = changeRows(found);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        for (int c = 0; c < kChangeColumnCount; ++c)
            changes->addCell(row, c, translatedCell("ChangeTable", rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(c)]));
    changes->updateCount();
    summary->setText(tr("Сдвиг %1 отсч., усиление %2, изменений: %3")
                         .arg(fixed(found.alignment.shift, 2), fixed(found.alignment.gain, 3))
                         .arg(found.changes.size()));
    // The screen shows the same difference the list was found on.
    const int base = chosen(*baseline);
    if (!doc.difference || doc.selectedTrace != base) {
        doc.capture = false;
        doc.difference = true;
        doc.selectedTrace = base;
        doc.updateAllViews(nullptr, kHintLines);
    }
    return s;
}

void CCompareDlg::placeCursorOn(int row)
{
    if (row < 0 || row >= static_cast<int>(found.changes.size()))
        return;
    placeActiveCursor(doc, found.changes[static_cast<std::size_t>(row)].position, nullptr);
}
