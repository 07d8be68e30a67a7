// The library panel's tab "Рефлектограммы": the folder's list, the preview and the memories P1..P3.
#include "files/widgets/form_memory.h"

#include "display/preview_series.h"
#include "display/widgets/screen_wnd.h"
#include "document/command_table.h"
#include "document/text_codec.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "files/library/library_texts.h"
#include "files/library/memory_file.h"
#include "files/library/memory_slots.h"
#include "panels/host/panel_host.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/report_ctrl.h"

#include <QItemSelectionModel>

#include <chrono>

namespace {

constexpr int kNameColumn = 1;
// A listing that takes longer than this goes on in the background, the window answering meanwhile.
constexpr std::chrono::milliseconds kListingWait{100};

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
    std::vector<ReflectogramEntry> taken;
    if (!listingJob.take(taken, status))
        return;   // delivered already, or a newer listing runs
    showListedRows(std::move(taken));
    emit reflectogramsListed();
}

void CFormMemory::showListedRows(std::vector<ReflectogramEntry> taken)
{
    // The row the user was on stays selected when it is still listed.
    const std::optional<std::string> selectedName = fileNameOfRow(reflectograms->getFirstSelected());
    listed = std::move(taken);

    reflectograms->clear();
    for (const ReflectogramEntry& e : listed) {
        const ReflectogramCells cells = reflectogramCells(e, doc.speedMode);
        for (int c = 0; c < kReflectogramColumnCount; ++c)
            reflectograms->addCell(0, c, translatedCell("LibraryTexts", cells[static_cast<std::size_t>(c)]));
    }
    reflectograms->updateCount();

    if (selectedName) {
        for (int row = 0; row < static_cast<int>(listed.size()); ++row) {
            if (listed[static_cast<std::size_t>(row)].name != *selectedName)
                continue;
            restoringSelection = true;
            const QModelIndex index = reflectograms->model()->index(row, 0);
            reflectograms->selectionModel()->setCurrentIndex(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            restoringSelection = false;
            showPreviewOf(row);   // the file may have changed since it was last shown
            break;
        }
    }
    if (currentTab == 0)
        sizeReflectogramColumns();
    commands.stateChanged();
}

std::optional<std::string> CFormMemory::fileNameOfRow(int row) const
{
    if (row < 0 || row >= static_cast<int>(listed.size()) || row >= reflectograms->getItemCount())
        return std::nullopt;
    return listed[static_cast<std::size_t>(row)].name;
}

void CFormMemory::showPreviewOf(int row)
{
    const std::optional<std::string> name = fileNameOfRow(row);
    if (!name)
        return;
    preview.name = codec::fileNameText(*name);
    // The file is read again every time, so the preview shows what is on the disk now; a file that has
    // gone or cannot be read any more shows no trace rather than the picture of its old contents.
    const bool read = static_cast<bool>(readReflectogram(reflectogramPath(reflectogramFolder, *name), preview));
    previewWnd->state().setSeriesFlags(preview_screen::kTraceSeries, read ? CArrPoints::kVisible : 0);
    if (read)
        preview_screen::fill(previewWnd->state(), preview);
    if (previewOn && currentTab == 0)
        previewWnd->draw();
}

void CFormMemory::toggleMemory(int trace)
{
    const std::optional<std::string> name = fileNameOfRow(reflectograms->getFirstSelected());
    if (!memory_slots::toggle(doc, trace, reflectogramFolder, name))
        showMessage(true, translatedText("LibraryTexts", libtext::kErrorCaption), translatedText("LibraryTexts", libtext::kMemoryNotFound));
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
    const std::optional<std::string> folder =
        host.chooseFolder(translatedText("LibraryTexts", libtext::kChooseReflectograms), reflectogramFolder);
    if (!folder)
        return;
    memory_slots::switchAllOff(doc);
    reflectogramFolder = *folder;
    fillReflectogramList();
    // The memories just switched off leave the screens and the channel table now, not at some later update.
    doc.updateAllViews(this, kHintLines);
}

ReportCellColors CFormMemory::reflectogramColors(int row, int column) const
{
    ReportCellColors colors;
    if (column != 0)
        return colors;
    const std::optional<std::string> name = fileNameOfRow(row);
    const int trace = name ? memory_slots::markOf(doc, *name) : -1;
    if (trace >= 0) {
        const Rgb c = doc.traces[static_cast<std::size_t>(trace)].color;
        colors.background = QColor(c.r, c.g, c.b);
    }
    return colors;
}
