#include "measurement/analysis/forms/watch_dlg.h"

#include "document/varnel_doc.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/h_spin.h"
#include "widgets/spin_field.h"
#include "widgets/tool_tip_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <chrono>

CWatchDlg::CWatchDlg(CVarnelDoc& doc, std::string defaultFolder, QWidget* parent)
    : QDialog(parent), doc(doc), line(new QComboBox(this)), threshold(new CSpinField(this)),
      samples(new CSpinField(this)), folder(new QLineEdit(QString::fromStdString(defaultFolder), this)),
      startStop(new QPushButton(this)), state(new QLabel(this))
{
    setWindowTitle(tr("Наблюдение"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    line->addItem(tr("Л1"), L1);
    line->addItem(tr("Л2"), L2);
    setToolTipText(*line, tr("Линия, за которой следить"));
    threshold->spin().configure(1, 255, 10, 1, 0, tr("отсч."));
    threshold->spin().setToolTipText(tr("Порог отличия от первой рефлектограммы"));
    samples->spin().configure(0, kWindowSamples - 1, 3, 1, 0, QString());
    samples->spin().setToolTipText(tr("Отличие должно держаться больше стольких точек подряд"));
    setToolTipText(*folder, tr("Папка для рефлектограмм изменений и журнала watch.csv"));
    auto* browse = new QPushButton(tr("Обзор..."), this);
    setToolTipText(*browse, tr("Выбрать папку"));
    auto* folderRow = new QHBoxLayout;
    // Wide enough for a usual folder path to be read whole.
    folder->setMinimumWidth(folder->fontMetrics().averageCharWidth() * 40);
    folderRow->addWidget(folder, 1);
    folderRow->addWidget(browse);
    form->addRow(tr("Линия"), line);
    form->addRow(tr("Порог"), threshold);
    form->addRow(tr("Точек подряд"), samples);
    form->addRow(tr("Папка"), folderRow);
    layout->addLayout(form);
    layout->addWidget(state);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(startStop, QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);

    connect(browse, &QPushButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, tr("Папка наблюдения"), folder->text());
        if (!dir.isEmpty())
            folder->setText(dir);
    });
    connect(startStop, &QPushButton::clicked, this, [this] {
        QString error;
        if (watching())
            stopWatch();
        else if (!startWatch(error))
            QMessageBox::critical(this, tr("Ошибка"), error);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    doc.addView(this);
    showState();
}

CWatchDlg::~CWatchDlg()
{
    doc.removeView(this);
    doc.watchEnvelope = {};   // the window is closing: nothing is drawn any more
}

bool CWatchDlg::startWatch(QString& error)
{
    const QFileInfo dir(folder->text());
    if (!dir.isDir() || !dir.isWritable()) {
        error = tr("Папка \"%1\" не найдена или недоступна для записи.").arg(folder->text());
        return false;
    }
    WatchSettings settings;
    settings.threshold = static_cast<int>(threshold->spin().getValue());
    settings.samples = static_cast<int>(samples->spin().getValue());
    watch = std::make_unique<CFaultWatch>(settings, dir.absoluteFilePath().toStdString());
    showState();
    return true;
}

void CWatchDlg::stopWatch()
{
    watch.reset();
    showEnvelope(-1);
    showState();
}

void CWatchDlg::showEnvelope(int trace)
{
    static const std::vector<int> none;
    const bool on = watch && trace >= 0;
    const std::vector<int>& low = on ? watch->envelopeLow() : none;
    const std::vector<int>& high = on ? watch->envelopeHigh() : none;
    WatchEnvelope& shown = doc.watchEnvelope;
    if (shown.line == (on ? trace : -1) && shown.low == low && shown.high == high)
        return;
    // The screens drew this reflectogram before the watch saw it; they draw again only when the
    // envelope grew, so the live trace never pokes out of it. Copied only then, not every frame.
    shown = {on ? trace : -1, low, high};
    doc.updateAllViews(this, kHintRedraw);
}

void CWatchDlg::showState()
{
    const bool on = watching();
    startStop->setText(on ? tr("Остановить") : tr("Начать"));
    setToolTipText(*startStop, on ? tr("Остановить наблюдение") : tr("Начать наблюдение"));
    for (QWidget* w : {static_cast<QWidget*>(line), static_cast<QWidget*>(threshold), static_cast<QWidget*>(samples),
                       static_cast<QWidget*>(folder)})
        w->setEnabled(!on);
    if (!on)
        state->setText(tr("Наблюдение не ведётся"));
    else
        state->setText(tr("Рефлектограмм: %1, изменений: %2, сохранено: %3")
                           .arg(watch->frames())
                           .arg(watch->changes())
                           .arg(watch->saved()));
    emit changesSaved(on ? watch->saved() : -1);
}

void CWatchDlg::onDocumentUpdate(CDocView*, UpdateHint hint)
{
    if (!watch || hint != kHintNewSamples)
        return;
    const int trace = line->currentData().toInt();
    if (!doc.traces[static_cast<std::size_t>(trace)].active)
        return;
    const WatchStep step = watch->feed(liveWatchFrame(doc, trace, std::chrono::system_clock::now()), documentDistances(doc));
    showEnvelope(trace);
    showState();
    if (step.change && !step.saved)
        state->setText(state->text() + tr("\nНе удалось сохранить: ") +
                       userText(step.saved));
}
