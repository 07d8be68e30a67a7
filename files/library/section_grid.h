#pragma once

#include "document/status.h"
#include "files/grid_file_list.h"
#include "files/section_file.h"

#include <optional>
#include <string>
#include <vector>

class CVarnelDoc;

// The in-place editor a cell of the section list opens.
enum class SectionEditor { None, Name, End, Speed };

// How a numeric in-place editor is set up (its limits, value, step, decimals and unit).
struct SpinSetup {
    double minimum = 0.0;
    double maximum = 0.0;
    double value = 0.0;
    double step = 0.0;
    int decimals = 0;
    std::string unit;
    friend bool operator==(const SpinSetup&, const SpinSetup&) = default;
};

// What a delete did.
enum class DeleteOutcome { Deleted, Refreshed, Failed };

// The scale-grid tab without its widgets: the section files of a folder, the sections of the selected
// file, the grid switch, the file changes and the in-place editing rules, all on the document. The
// caller shows the lists, opens the editors and broadcasts the updates (hint 0 after every operation
// that changes the document).
class CSectionGrid {
public:
    static constexpr int kNameColumn = 1;
    static constexpr int kStartColumn = 2;
    static constexpr int kEndColumn = 3;
    static constexpr int kSpeedColumn = 5;

    explicit CSectionGrid(CVarnelDoc& doc);

    std::string sectionFolder;      // ends with '/'
    std::string newGridFile;        // full path of the file created last
    std::string selectedGridFile;   // name without ".pie" of the file selected in the file list
    std::string activeGridFile;     // name of the file last handed to the document; empty while the grid is off
    int editRow = -1;
    int editColumn = -1;

    const std::vector<GridFileEntry>& files() const { return fileEntries; }
    const std::vector<SectionRow>& rows() const { return sectionRows; }
    // Why the selected file lists no sections (it cannot be read); empty when it can.
    const std::string& sectionProblem() const { return problem; }
    // The same failure with both its wordings.
    const Status& sectionFailure() const { return failure; }
    std::string selectedPath() const;

    // Lists the section files of the folder; whether there is any.
    bool fillGridFileList();
    // Lists the sections of the selected file; a missing file lists none, one that cannot be read none
    // and the reason.
    void fillSectionList();
    // Hands the sections of the active file to the document (none without one).
    Status applyActiveGrid();

    // The selection of the file list changed to file `name`, or to no file (nullptr).
    void selectFile(const std::string* name);
    // 33012: the grid off (the document keeps its sections), or on with the selected file.
    Status toggleGrid();
    // 33011: a new file at `path` with no sections and the range of the document.
    Status createFile(const std::string& path);
    // 33016: a section appended to the selected file: empty name, 1 nominal metre, the document's KU.
    Status addSection();
    // 33018: deletes list row `row` of the selected file and renumbers the rest. When the file no
    // longer holds what the list shows (changed elsewhere) nothing is deleted and the lists are
    // refreshed, so that a delete always removes the row the user sees.
    DeleteOutcome deleteSection(int row, Status& status);

    // A double click on a cell: the editor it opens. An end or a KU also hands the selected file's
    // sections to the document, as the editor works on the screen with them.
    SectionEditor startEditing(int row, int column);
    SectionEditor editor() const { return open; }
    // The end editor: the window's edges and cursor 1 in real metres on the selected file's line (its
    // sections, grid on or off), 2 decimals, "м".
    SpinSetup endEditorSetup() const;
    // The KU editor, opening with the section's own KU: 1.000..3.000 by 0.001, or as V/2 50.0..150.0 by 0.1.
    SpinSetup speedEditorSetup() const;
    // The end editor's value changed (real metres on the file's line): a step moves cursor 1 one sample,
    // any other value puts it on the nearest sample.
    void endValueChanged(double real);
    // The KU editor's value changed: the section's VFACTOR and the document's KU follow at once; the
    // section's own value writes nothing.
    Status speedValueChanged(double value);
    // Enter or 33017: the editor's text is written into the file and the lists refilled. A section's end
    // is cursor 1's nominal position (or the length typed by hand): LENGTH = trunc((end - start) x 1000).
    // A KU equal to the section's own is not written.
    Status finishEditing(const std::string& editorText);

private:
    // A section end typed between two samples, in nominal metres, and where cursor 1 was put for it.
    struct TypedEnd {
        double nominal;
        double cursor;
    };
    Status writeEnd(const std::string& path, int number);
    // Whether a value of the KU editor is the edited section's own KU, as the editor shows it.
    bool isEditedKu(double value) const;

    CVarnelDoc& doc;
    double editedKu = 1.5;   // the edited section's KU as its file holds it
    std::optional<TypedEnd> typedEnd;
    std::string problem;
    Status failure = Status::success();
    std::vector<GridFileEntry> fileEntries;
    std::vector<SectionRow> sectionRows;
    SectionEditor open = SectionEditor::None;
};
