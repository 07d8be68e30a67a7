// The library panel's tab "Сетки масштабов с разным КУ": section files, their sections, the scale grid
// switch and the three in-place editors.
#include "files/widgets/form_memory.h"

#include "document/command_table.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "files/library/library_texts.h"
#include "panels/host/panel_host.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/edit_text.h"
#include "widgets/h_spin.h"
#include "widgets/report_ctrl.h"
#include "widgets/tool_tip_text.h"

#include <QItemSelectionModel>

namespace {

constexpr int kNameEditorId = 177;
constexpr int kSpeedEditorId = 175;
constexpr int kEndEditorId = 176;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A section file's failure in the program's language: the headline, the file, the reason.
QString sectionMessage(const char* headline, const std::string& path, const Status& failure)
{
    const std::string translated = translatedText("LibraryTexts", headline).toStdString();
    return qs(libtext::sectionFileMessage(translated.c_str(), path, userText(failure).toStdString()));
}

void configure(CHSpin& spin, const SpinSetup& s)
{
    spin.configure(s.minimum, s.maximum, s.value, s.step, s.decimals, translatedUnit(s.unit));
}

} // namespace

void CFormMemory::showGridFiles()
{
    // The tab not built yet shows the files when it is.
    if (!gridFiles) {
        commands.stateChanged();
        return;
    }
    restoringSelection = true;
    gridFiles->clear();
    for (const GridFileEntry& e : grid.files()) {
        const auto cells = gridFileCells(e);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c)
            gridFiles->addCell(0, c, translatedCell("LibraryTexts", cells[static_cast<std::size_t>(c)]));
    }
    gridFiles->updateCount();
    // The selected file stays selected across a refill; the lists are only redrawn for it.
    for (int row = 0; row < static_cast<int>(grid.files().size()); ++row) {
        if (grid.files()[static_cast<std::size_t>(row)].name == grid.selectedGridFile) {
            gridFiles->selectionModel()->setCurrentIndex(gridFiles->model()->index(row, 0),
                                                         QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
            break;
        }
    }
    restoringSelection = false;
    if (currentTab == 1)
        sizeGridColumns();
    commands.stateChanged();
}

void CFormMemory::showSections()
{
    if (!sections) {
        commands.stateChanged();
        return;
    }
    sections->clear();
    for (const SectionRow& row : grid.rows()) {
        const auto cells = sectionRowCells(row, doc.speedMode);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c)
            sections->addCell(0, c, translatedCell("LibraryTexts", cells[static_cast<std::size_t>(c)]));
    }
    if (!grid.sectionProblem().empty()) {
        // Like an unreadable reflectogram: "?" where the sections would be, and why.
        sections->addCell(0, 0, QStringLiteral("?"));
        sections->addCell(0, 1, userText(grid.sectionFailure()));
    }
    sections->updateCount();
    if (currentTab == 1)
        sizeGridColumns();
    commands.stateChanged();
}

void CFormMemory::selectGridFileRow(const std::string& name)
{
    for (int row = 0; row < static_cast<int>(grid.files().size()); ++row)
        if (grid.files()[static_cast<std::size_t>(row)].name == name)
            gridFiles->selectionModel()->setCurrentIndex(gridFiles->model()->index(row, 0),
                                                         QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
}

void CFormMemory::onGridFileSelection()
{
    if (restoringSelection)
        return;
    const int row = gridFiles->getFirstSelected();
    if (row >= 0 && row < static_cast<int>(grid.files().size())) {
        const std::string name = grid.files()[static_cast<std::size_t>(row)].name;
        grid.selectFile(&name);
    } else {
        grid.selectFile(nullptr);
    }
    showSections();
    gridFiles->redrawItems();
    doc.updateAllViews(this, kHintRedraw);
    commands.stateChanged();
}

void CFormMemory::toggleGrid()
{
    if (const Status s = grid.toggleGrid(); !s)
        showMessage(true, translatedText("LibraryTexts", libtext::kErrorCaption),
                    sectionMessage(libtext::kSectionFileNotRead, grid.selectedPath(), s));
    if (gridFiles)
        gridFiles->redrawItems();
    doc.updateAllViews(this, kHintRedraw);
}

void CFormMemory::chooseSectionFolder()
{
    const std::optional<std::string> folder =
        host.chooseFolder(translatedText("LibraryTexts", libtext::kChooseSectionFolder), grid.sectionFolder);
    if (!folder)
        return;
    grid.sectionFolder = *folder;
    if (grid.fillGridFileList())
        grid.fillSectionList();
    showGridFiles();
    showSections();
}

void CFormMemory::createGridFile()
{
    CPanelHost::FileChoice choice;
    choice.title = translatedText("LibraryTexts", libtext::kNewSectionFile);
    choice.filter = translatedText("LibraryTexts", libtext::kNewSectionFilter);
    choice.start = grid.sectionFolder;
    choice.suffix = QStringLiteral("pie");
    choice.mode = CPanelHost::FileChoice::Mode::Save;
    std::optional<std::string> path = host.chooseFile(choice);
    createGridTab();   // the new file is selected in the list
    if (!path)
        return;
    // Only ".pie" files are listed: a name with any other ending gets ".pie" too.
    const std::string ext = kSectionFileExtension;
    if (path->size() < ext.size() || path->compare(path->size() - ext.size(), ext.size(), ext) != 0)
        *path += ext;
    const Status s = grid.createFile(*path);
    showGridFiles();
    showSections();
    if (!s) {
        reportSectionFailure(*path, s);
        return;
    }
    // The new file is the one to add sections to next.
    if (path->substr(0, path->rfind('/') + 1) == grid.sectionFolder) {
        const std::string name = path->substr(path->rfind('/') + 1);
        selectGridFileRow(name.substr(0, name.size() - ext.size()));
    }
}

void CFormMemory::addSection()
{
    createGridTab();
    const Status s = grid.addSection();
    showGridFiles();
    showSections();
    if (!s)
        reportSectionFailure(grid.selectedPath(), s);
    doc.updateAllViews(this, kHintRedraw);
}

void CFormMemory::deleteSection()
{
    createGridTab();
    const int row = sections->getFirstSelected();
    if (row < 0)
        return;
    Status s = Status::success();
    const DeleteOutcome outcome = grid.deleteSection(row, s);
    showGridFiles();
    showSections();
    if (outcome == DeleteOutcome::Refreshed)
        showMessage(false, QString(), translatedText("LibraryTexts", libtext::kSectionFileChanged));
    else if (outcome == DeleteOutcome::Failed)
        reportSectionFailure(grid.selectedPath(), s);
    else
        doc.updateAllViews(this, kHintRedraw);
}

void CFormMemory::startEditing(int row, int column)
{
    if (openEditor())
        return;
    createGridTab();
    const SectionEditor kind = grid.startEditing(row, column);
    if (kind == SectionEditor::None)
        return;
    const QString title = sections->getColumnTitle(column);
    gridFiles->setEnabled(false);
    sections->setEnabled(false);
    QWidget* editor = nullptr;
    if (kind == SectionEditor::Name) {
        nameEditor = new CEditText(this);
        nameEditor->setObjectName(QStringLiteral("editor%1").arg(kNameEditorId));
        nameEditor->setText(sections->getCell(row, column));
        nameEditor->selectAll();
        connect(nameEditor, &CEditText::enterPressed, this, &CFormMemory::finishEditing);
        editor = nameEditor;
    } else {
        auto* spin = new CHSpin(this);
        if (kind == SectionEditor::End) {
            endEditor = spin;
            spin->setObjectName(QStringLiteral("editor%1").arg(kEndEditorId));
            connect(spin, &CHSpin::valueEdited, this, [this](double value) {
                grid.endValueChanged(value);
                doc.updateAllViews(this, kHintRedraw);
            });
        } else {
            speedEditor = spin;
            spin->setObjectName(QStringLiteral("editor%1").arg(kSpeedEditorId));
            connect(spin, &CHSpin::valueEdited, this, [this](double value) {
                if (const Status s = grid.speedValueChanged(value); !s)
                    reportSectionFailure(grid.selectedPath(), s);
                doc.updateAllViews(this, kHintRedraw);
            });
        }
        connect(spin, &CHSpin::enterPressed, this, &CFormMemory::finishEditing);
        editor = spin;
    }
    if (kind == SectionEditor::Name)
        setToolTipText(*editor, title);
    else
        static_cast<CHSpin*>(editor)->setToolTipText(title);
    editor->setFont(sections->font());
    static_cast<QLineEdit*>(editor)->setAlignment(Qt::AlignCenter);
    configureEditors();
    placeEditor();
    editor->setVisible(currentTab == 1);
    editor->setFocus();
    if (kind != SectionEditor::Name)
        doc.updateAllViews(this, kHintRedraw);   // the grid of the selected file is on the screens now
    commands.stateChanged();
}

void CFormMemory::configureEditors()
{
    if (endEditor && !endEditor->isTyping())
        configure(*endEditor, grid.endEditorSetup());
    if (speedEditor && !speedEditor->isTyping())
        configure(*speedEditor, grid.speedEditorSetup());
}

void CFormMemory::placeEditor()
{
    if (!openEditor() || grid.editRow < 0 || grid.editRow >= sections->getItemCount())
        return;
    const QRect cell = sections->visualRect(sections->model()->index(grid.editRow, grid.editColumn));
    const QRect rect(sections->viewport()->mapTo(this, cell.topLeft()), cell.size());
    if (nameEditor)
        nameEditor->setGeometry(rect);
    for (CHSpin* spin : {speedEditor.data(), endEditor.data()})
        if (spin)
            spin->placeControls(rect);
}

void CFormMemory::closeEditor()
{
    for (QWidget* editor : {static_cast<QWidget*>(nameEditor.data()), static_cast<QWidget*>(speedEditor.data()),
                            static_cast<QWidget*>(endEditor.data())}) {
        if (!editor)
            continue;
        if (auto* spin = qobject_cast<CHSpin*>(editor))
            spin->showControls(false);
        editor->hide();
        // Later: finishing may be run by the editor's own Enter.
        editor->deleteLater();
    }
    nameEditor.clear();
    speedEditor.clear();
    endEditor.clear();
}

void CFormMemory::finishEditing()
{
    QWidget* editor = openEditor();
    if (!editor)
        return;
    // Digits typed without Enter count as Enter would (33017 from the toolbar).
    if (auto* spin = qobject_cast<CHSpin*>(editor))
        spin->commitTyping();
    const std::string text = static_cast<QLineEdit*>(editor)->text().toStdString();
    createGridTab();
    closeEditor();
    gridFiles->setEnabled(true);
    sections->setEnabled(true);
    const Status s = grid.finishEditing(text);
    showGridFiles();
    showSections();
    if (!s)
        reportSectionFailure(grid.selectedPath(), s);
    doc.updateAllViews(this, kHintRedraw);
    commands.stateChanged();
    sections->setFocus();
}

void CFormMemory::reportSectionFailure(const std::string& path, const Status& status)
{
    showMessage(true, translatedText("LibraryTexts", libtext::kErrorCaption),
                sectionMessage(libtext::kSectionFileNotWritten, path, status));
}

ReportCellColors CFormMemory::gridFileColors(int row, int column) const
{
    ReportCellColors colors;
    if (column == 0 && doc.gridMode && !grid.activeGridFile.empty() && row >= 0 &&
        row < static_cast<int>(grid.files().size()) &&
        grid.files()[static_cast<std::size_t>(row)].name == grid.activeGridFile)
        colors.background = QColor(255, 0, 0);
    return colors;
}
