#include "files/library/section_grid.h"

#include "document/units.h"
#include "document/varnel_doc.h"
#include "document/file_bytes.h"
#include "files/number_text.h"
#include "files/section_edit.h"

#include <algorithm>
#include <cmath>

CSectionGrid::CSectionGrid(CVarnelDoc& doc) : doc(doc) {}

std::string CSectionGrid::selectedPath() const { return sectionFilePath(sectionFolder, selectedGridFile); }

bool CSectionGrid::fillGridFileList()
{
    listSectionFiles(sectionFolder, fileEntries);   // a folder that cannot be read lists nothing
    return !fileEntries.empty();
}

void CSectionGrid::fillSectionList()
{
    std::vector<SectionRow> read;
    if (readSectionRows(selectedPath(), read))
        sectionRows = std::move(read);
}

Status CSectionGrid::applyActiveGrid() { return applySectionFile(sectionFolder, activeGridFile, doc.sections); }

void CSectionGrid::selectFile(const std::string* name)
{
    doc.sectionsLoaded = false;
    if (!name)
        return;
    selectedGridFile = *name;
    if (nothingAt(selectedPath()))
        return;
    fillSectionList();
    doc.sectionsLoaded = true;
}

Status CSectionGrid::toggleGrid()
{
    if (doc.gridMode) {
        doc.gridMode = false;
        activeGridFile.clear();
        return Status::success();
    }
    activeGridFile = selectedGridFile;
    if (Status s = applyActiveGrid(); !s) {
        // A grid that cannot be read is not switched on with the sections of another file.
        activeGridFile.clear();
        return s;
    }
    doc.gridMode = true;
    return Status::success();
}

Status CSectionGrid::createFile(const std::string& path)
{
    newGridFile = path;
    const Status s = createSectionFile(path, doc.scale);
    fillGridFileList();
    fillSectionList();
    return s;
}

Status CSectionGrid::addSection()
{
    doc.sectionsLoaded = true;
    activeGridFile = selectedGridFile;
    const Status s = ::addSection(selectedPath(), doc.vfactor);
    fillGridFileList();
    fillSectionList();
    // After the write, so that the document holds the section just added, as the list does.
    applyActiveGrid();
    return s;
}

DeleteOutcome CSectionGrid::deleteSection(int row, Status& status)
{
    status = Status::success();
    std::vector<SectionRow> current;
    if (Status s = readSectionRows(selectedPath(), current); !s) {
        status = s;
        return DeleteOutcome::Failed;
    }
    const auto same = [](const SectionRow& a, const SectionRow& b) {
        return a.number == b.number && a.name == b.name && a.start == b.start && a.end == b.end && a.ku == b.ku;
    };
    const bool stale = current.size() != sectionRows.size() ||
                       !std::equal(current.begin(), current.end(), sectionRows.begin(), same);
    if (stale) {
        fillGridFileList();
        sectionRows = std::move(current);
        return DeleteOutcome::Refreshed;
    }
    status = ::deleteSection(selectedPath(), row);
    fillGridFileList();
    fillSectionList();
    // The grid on the screen must not keep a section its file no longer has.
    if (status && doc.gridMode && activeGridFile == selectedGridFile)
        applyActiveGrid();
    return status ? DeleteOutcome::Deleted : DeleteOutcome::Failed;
}

SectionEditor CSectionGrid::startEditing(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(sectionRows.size()))
        return SectionEditor::None;
    SectionEditor kind = SectionEditor::None;
    if (column == kNameColumn)
        kind = SectionEditor::Name;
    else if (column == kEndColumn)
        kind = SectionEditor::End;
    else if (column == kSpeedColumn)
        kind = SectionEditor::Speed;
    if (kind == SectionEditor::None)
        return kind;
    editRow = row;
    editColumn = column;
    open = kind;
    if (kind != SectionEditor::Name) {
        doc.sectionsLoaded = true;
        activeGridFile = selectedGridFile;
        applyActiveGrid();
    }
    return kind;
}

SpinSetup CSectionGrid::endEditorSetup() const
{
    const Span edges = doc.windowEdgesReal();
    const CursorReadouts r = doc.cursorReadouts();
    return {edges.left, edges.right, r.distance1, r.step1, 2, "м"};
}

SpinSetup CSectionGrid::speedEditorSetup() const
{
    if (doc.speedMode)
        return {50, 150, speedOfKu(doc.vfactor), 0.1, 1, ""};
    return {1.0, 3.0, doc.vfactor, 0.001, 3, ""};
}

void CSectionGrid::endValueChanged(double real)
{
    doc.vfactor = doc.kuAt(doc.cursor1);
    const double n = doc.toNominal(real);
    const double q = doc.windowWidth() / kWindowSamples;
    doc.cursor1 = q * std::floor(n / q + 0.5);
}

Status CSectionGrid::speedValueChanged(double value)
{
    const double ku = doc.speedMode ? kuOfSpeed(value) : value;
    const Status s = writeSectionKu(selectedPath(), editRow + 1, value, doc.speedMode);
    if (!s)
        return s;
    doc.vfactor = ku;
    applyActiveGrid();
    return s;
}

Status CSectionGrid::finishEditing(const std::string& editorText)
{
    const SectionEditor was = open;
    open = SectionEditor::None;
    const int number = editRow + 1;
    const std::string path = selectedPath();
    Status s = Status::success();
    switch (was) {
    case SectionEditor::Name:
        s = writeSectionName(path, number, editorText);
        break;
    case SectionEditor::End: {
        if (editRow >= static_cast<int>(sectionRows.size())) {
            s = Status::failure(path + ": there is no section " + std::to_string(number));
            break;
        }
        // The section keeps its own KU: its new end is measured from its start at that KU, whatever
        // the grid shows and wherever its old end lay.
        const SectionRow& row = sectionRows[static_cast<std::size_t>(editRow)];
        const double end = numtext::leadingNumber(editorText);
        s = writeSectionLength(path, number, 0.0, (end - row.start) * row.ku / kReferenceKu);
        break;
    }
    case SectionEditor::Speed:
        s = writeSectionKu(path, number, numtext::leadingNumber(editorText), doc.speedMode);
        break;
    case SectionEditor::None:
        return s;
    }
    fillGridFileList();
    fillSectionList();
    applyActiveGrid();
    return s;
}
