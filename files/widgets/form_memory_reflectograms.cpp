// The library panel's tab "Рефлектограммы": the folder's list, the preview and the memories P1..P3.
#include "files/widgets/form_memory.h"

#include "display/preview_series.h"
#include "display/widgets/screen_wnd.h"
#include "document/command_table.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "files/library/library_texts.h"
#include "files/library/memory_file.h"
#include "files/library/memory_slots.h"
#include "panels/controls/report_ctrl.h"

#include <QItemSelectionModel>

#include <chrono>

namespace {

constexpr int kNameColumn = 1;
// A listing that takes longer than this goes on in the background, the window answering meanwhile.
constexpr std::chrono::milliseconds kListingWait{100};

QString qs(const std::string& s) { return QString::fromStdString(s); }

} // namespace

void CFormMemory::fillReflectogramList()
{
    const int generation = ++listingGeneration;
    listingJob.start(reflectogramFolder, [this, generation] {
        QMetaObject::invokeMethod(this, [this, generation] { takeListing(generation); }, Qt::QueuedConnection);
    });
    if (listingJob.waitFor(kListingWait))
        takeListing(generation);
}

void CFormMemory::takeListing(int generation)
{
    if (generation != listingGeneration)
        return;
    Status status = Status::success();
    if (!listingJob.take(listed, status))
        return;   // delivered already, or a newer listing runs
    showListedRows();
    emit reflectogramsListed();
}

void CFormMemory::showListedRows()
{
    // The row the user was on stays selected when it is still listed.
    const int selected = reflectograms->getFirstSelected();
    const QString selectedName = selected >= 0 ? reflectograms->getCell(selected, kNameColumn) : QString();

    reflectograms->clear();
    for (const ReflectogramEntry& e : listed) {
        const ReflectogramCells cells = reflectogramCells(e, doc.speedMode);
        for (int c = 0; c < kReflectogramColumnCount; ++c)
            reflectograms->addCell(0, c, qs(cells[static_cast<std::size_t>(c)]));
    }
    reflectograms->updateCount();

    if (!selectedName.isEmpty()) {
        for (int row = 0; row < static_cast<int>(listed.size()); ++row) {
            if (qs(listed[static_cast<std::size_t>(row)].name) != selectedName)
                continue;
            restoringSelection = true;
            const QModelIndex index = reflectograms->model()->index(row, 0);
            reflectograms->selectionModel()->setCurrentIndex(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            restoringSelection = false;
            break;
        }
    }
    if (currentTab == 0)
        sizeReflectogramColumns();
    commands.stateChanged();
}

void CFormMemory::showPreviewOf(int row)
{
    const std::string name = reflectograms->getCell(row, kNameColumn).toStdString();
    preview.name = name;
    // A file that has gone or cannot be read leaves the preview as it was.
    if (!readReflectogram(reflectogramPath(reflectogramFolder, name), preview))
        return;
    preview_screen::fill(*previewWnd, preview);
    if (previewOn && currentTab == 0)
        previewWnd->draw();
}

void CFormMemory::toggleMemory(int trace)
{
    std::optional<std::string> name;
    if (const int row = reflectograms->getFirstSelected(); row >= 0)
        name = reflectograms->getCell(row, kNameColumn).toStdString();
    if (!memory_slots::toggle(doc, trace, reflectogramFolder, name))
        showMessage(true, QString::fromUtf8(libtext::kErrorCaption), QString::fromUtf8(libtext::kMemoryNotFound));
    reflectograms->redrawItems();
    doc.updateAllViews(this, kHintLines);
}

void CFormMemory::togglePreview()
{
    previewOn = !previewOn;
    if (setup.relayout)
        setup.relayout(previewOn);
    if (currentTab == 0)
        previewWnd->setVisible(previewOn);
    layout();
    if (previewOn && currentTab == 0)
        previewWnd->draw();
}

void CFormMemory::chooseReflectogramFolder()
{
    if (!setup.dialogs.openFile)
        return;
    const std::optional<std::string> file =
        setup.dialogs.openFile(this, QString::fromUtf8(libtext::kChooseReflectograms),
                               QString::fromUtf8(libtext::kReflectogramFilter), reflectogramFolder);
    if (!file)
        return;
    memory_slots::switchAllOff(doc);
    reflectogramFolder = file->substr(0, file->rfind('/') + 1);
    fillReflectogramList();
    // The memories just switched off leave the screens and the channel table now, not at some later update.
    doc.updateAllViews(this, kHintLines);
}

ReportCellColors CFormMemory::reflectogramColors(int row, int column) const
{
    ReportCellColors colors;
    if (column != 0)
        return colors;
    const int trace = memory_slots::markOf(doc, reflectograms->getCell(row, kNameColumn).toStdString());
    if (trace >= 0) {
        const Rgb c = doc.traces[static_cast<std::size_t>(trace)].color;
        colors.background = QColor(c.r, c.g, c.b);
    }
    return colors;
}
