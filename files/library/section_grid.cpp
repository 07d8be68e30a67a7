#include "files/library/section_grid.h"

#include "resources/translate_marker.h"
#include "document/units.h"
#include "document/varnel_doc.h"
#include "document/file_bytes.h"
#include "files/number_text.h"
#include "files/section_edit.h"

#include <algorithm>
#include <cmath>

namespace {

// The end editor measures on the selected file's line, whose sections it handed to the document, also
// while the grid on the screens is off: its value is a distance in the list's "Конец участка" column.
class CFileGridOn {
public:
    explicit CFileGridOn(CVarnelDoc& doc) : doc(doc), was(doc.gridMode) { doc.gridMode = true; }
    ~CFileGridOn() { doc.gridMode = was; }
    CFileGridOn(const CFileGridOn&) = delete;
    CFileGridOn& operator=(const CFileGridOn&) = delete;

private:
    CVarnelDoc& doc;
    bool was;
};

} // namespace

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
    const Status s = readSectionRows(selectedPath(), read);
    // A file that cannot be read lists no sections, only why.
    sectionRows = std::move(read);
    failure = s;
    problem = s ? std::string() : s.userReason();
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
    // Never a grid from a file that cannot be read.
    doc.sectionsLoaded = problem.empty();
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
    fillSectionList();
    if (!problem.empty())
        return failure;   // a file that cannot be read is not added to
    doc.sectionsLoaded = true;
    activeGridFile = selectedGridFile;
    const Status s = ::addSection(selectedPath(), doc.vfactor);
    fillGridFileList();
    fillSectionList();
    // After the write, so that the document holds the section just added, as the list does.
    if (!applyActiveGrid())
        doc.sectionsLoaded = false;
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
    editedKu = sectionRows[static_cast<std::size_t>(row)].ku;
    typedEnd.reset();
    if (kind != SectionEditor::Name) {
        activeGridFile = selectedGridFile;
        doc.sectionsLoaded = applyActiveGrid().ok();
    }
    return kind;
}

SpinSetup CSectionGrid::endEditorSetup() const
{
    CFileGridOn fileGrid(doc);
    const Span edges = doc.windowEdgesReal();
    const CursorReadouts r = doc.cursorReadouts();
    return {edges.left, edges.right, r.distance1, r.step1, 2, VARNEL_TRANSLATE_NOOP("Units", "м")};
}

SpinSetup CSectionGrid::speedEditorSetup() const
{
    // The section's own KU: opening the editor must not offer (and Enter then write) the document's.
    if (doc.speedMode)
        return {50, 150, speedOfKu(editedKu), 0.1, 1, ""};
    return {1.0, 3.0, editedKu, 0.001, 3, ""};
}

void CSectionGrid::endValueChanged(double real)
{
    {
        CFileGridOn fileGrid(doc);
        const CursorReadouts r = doc.cursorReadouts();
        doc.cursor1 = doc.cursorFromSpin(doc.cursor1, r.distance1, r.step1, real);
        // A value between two samples was typed (a length from a cable plan): the end keeps it exactly,
        // and cursor 1 shows it on the nearest sample. A step or a limit ends on the cursor.
        const double sample = doc.windowWidth() / kWindowSamples;
        const double typed = std::clamp(doc.toNominal(real), doc.window().left, doc.window().right);
        typedEnd.reset();
        if (!isSpinStep(r.distance1, r.step1, real) && std::fabs(typed - doc.cursor1) > sample * 1e-6)
            typedEnd = TypedEnd{typed, doc.cursor1};
    }
    doc.vfactor = doc.kuAt(doc.cursor1);
}

Status CSectionGrid::speedValueChanged(double value)
{
    if (isEditedKu(value))
        return Status::success();   // the section's own value: nothing to write
    const double ku = doc.speedMode ? kuOfSpeed(value) : value;
    const Status s = writeSectionKu(selectedPath(), editRow + 1, value, doc.speedMode);
    if (!s)
        return s;
    editedKu = numtext::truncThousandths(ku) / 1000.0;
    doc.vfactor = ku;
    applyActiveGrid();
    return s;
}

bool CSectionGrid::isEditedKu(double value) const
{
    // Compared as the editor shows them: V/2 98.7 of KU 1.52 would be written back as 1.519.
    const int decimals = doc.speedMode ? 1 : 3;
    const double own = doc.speedMode ? speedOfKu(editedKu) : editedKu;
    return numtext::fixed(value, decimals) == numtext::fixed(own, decimals);
}

Status CSectionGrid::writeEnd(const std::string& path, int number)
{
    // The end in nominal metres: where cursor 1 stands, or the length typed where cursor 1 was put for it.
    const double end = typedEnd && typedEnd->cursor == doc.cursor1 ? typedEnd->nominal : doc.cursor1;
    typedEnd.reset();
    SectionFileData data;
    if (Status s = readSectionFile(path, data); !s)
        return s;
    if (number > static_cast<int>(data.sections.size()))
        return Status::failure(path + ": there is no section " + std::to_string(number));
    long long start = 0;   // thousandths of a nominal metre, exact
    for (int i = 0; i + 1 < number; ++i)
        start += data.sections[static_cast<std::size_t>(i)].lengthThousandths;
    return writeSectionLength(path, number, start / 1000.0, end);
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
    case SectionEditor::End:
        s = writeEnd(path, number);
        break;
    case SectionEditor::Speed: {
        // Enter on the value the editor opened with is a glance, not an edit.
        const double value = numtext::leadingNumber(editorText);
        if (!isEditedKu(value))
            s = writeSectionKu(path, number, value, doc.speedMode);
        break;
    }
    case SectionEditor::None:
        return s;
    }
    fillGridFileList();
    fillSectionList();
    applyActiveGrid();
    return s;
}
