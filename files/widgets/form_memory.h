#pragma once

#include "document/command_table.h"
#include "document/doc_view.h"
#include "document/trace.h"
#include "files/library/background_listing.h"
#include "files/library/section_grid.h"
#include "files/widgets/cell_colors.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CEditText;
class CPanelHost;
class CHSpin;
class CReportCtrl;
class CScreenWnd;
class CSettings;
class CVarnelDoc;
class QAction;
class QTabBar;
class QToolBar;

// How the program sets the library panel up.
struct LibrarySetup {
    std::string saveDir;                          // the Save folder, the default of OPEN and OPEN_PIECE
    std::function<QAction*(int commandId)> action;   // the one action of a command, shared with the frame
    std::function<void(bool previewOn)> relayout;    // the frame lays the library row out again
    // The folder is listed when the program asks for it (fillReflectogramList) rather than at once: the
    // program lists it after the window's first frame, which a large folder would otherwise hold up.
    bool listLater = false;
};

// The library panel along the bottom of the main window. Tab "Рефлектограммы": the reflectogram files
// of a folder with their range, pulse, KU, date and time, a preview of the selected one, and the
// memories P1..P3 loaded from it. Tab "Сетки масштабов с разным КУ": the section files of a folder,
// the sections of the selected one with in-place editing, and the scale grid switch (33012). It keeps
// the settings keys OPEN, OPEN_PIECE and SAVE_PIECE. Its messages and folder and file choices go through
// the host.
class CFormMemory : public QWidget, public CDocView {
    Q_OBJECT
public:
    static constexpr int kTabHeight = 23;
    static constexpr int kPreviewHeight = 250;
    static constexpr int kPreviewMinimum = 80;

    CFormMemory(CVarnelDoc& doc, CCommandTable& commands, CSettings& settings, CPanelHost& host, LibrarySetup setup,
                QWidget* parent = nullptr);
    ~CFormMemory() override;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;

    std::string reflectogramFolder;   // ends with '/'
    bool previewOn = false;
    Trace preview;                    // the file of the selected row
    int currentTab = 0;
    CSectionGrid grid;                // the second tab's files, sections, grid switch and editing rules

    CReportCtrl& reflectogramList() const { return *reflectograms; }
    // The second tab's lists and bars are built the first time they are asked for (createGridTab).
    CReportCtrl& gridFileList() const;
    CReportCtrl& sectionList() const;
    CScreenWnd& previewScreen() const { return *previewWnd; }
    QTabBar& tabs() const { return *tabBar; }
    QToolBar& memoryToolBar() const { return *memoryBar; }
    QToolBar& gridToolBar() const;
    QToolBar& sectionToolBar() const;
    // The open in-place editor, or nullptr.
    QWidget* openEditor() const;

    // Lists the folder again; a listing that takes longer than a moment finishes in the background
    // and reaches the list through the event loop (reflectogramsListed).
    void fillReflectogramList();
    bool listing() const { return listingJob.running(); }
    void selectTab(int tab);
    // Builds the hidden tab "Сетки масштабов с разным КУ" now, in its place in the keyboard order; it
    // is otherwise built when first needed. The program builds it once the window is on the screen.
    void createGridTab();

signals:
    void reflectogramsListed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // --- Construction, commands, layout (form_memory.cpp) ---
    void createControls();
    void createGridControls();
    // This panel with its second tab built, for the accessors of that tab's parts.
    const CFormMemory& withGridTab() const;
    void registerCommands();
    QToolBar* makeToolBar(std::initializer_list<int> ids);
    void layoutTab0();
    void layoutTab1();
    void layout();
    // The width the columns of `list` share.
    int listWidthLess(const CReportCtrl& list) const;
    void showMessage(bool error, const QString& caption, const QString& text);

    // --- Tab "Рефлектограммы" (form_memory_reflectograms.cpp) ---
    void takeListing(int generation);
    void showListedRows(std::vector<ReflectogramEntry> taken);
    // The file name (the directory's bytes) of a row of the list.
    std::optional<std::string> fileNameOfRow(int row) const;
    void showPreviewOf(int row);
    void toggleMemory(int trace);
    void togglePreview();
    void chooseReflectogramFolder();
    ReportCellColors reflectogramColors(int row, int column) const;
    void sizeReflectogramColumns();

    // --- Tab "Сетки масштабов с разным КУ" (form_memory_grids.cpp) ---
    void showGridFiles();
    void showSections();
    void selectGridFileRow(const std::string& name);
    void onGridFileSelection();
    void toggleGrid();
    void chooseSectionFolder();
    void createGridFile();
    void addSection();
    void deleteSection();
    void startEditing(int row, int column);
    void configureEditors();
    void placeEditor();
    void finishEditing();
    void closeEditor();
    void reportSectionFailure(const std::string& path, const Status& status);
    ReportCellColors gridFileColors(int row, int column) const;
    void sizeGridColumns();

    CVarnelDoc& doc;
    CCommandTable& commands;
    std::vector<CCommandRegistration> registrations;
    CSettings& settings;
    CPanelHost& host;
    LibrarySetup setup;

    CReportCtrl* reflectograms = nullptr;
    CReportCtrl* gridFiles = nullptr;
    CReportCtrl* sections = nullptr;
    CScreenWnd* previewWnd = nullptr;
    QTabBar* tabBar = nullptr;
    QToolBar* memoryBar = nullptr;
    QToolBar* gridBar = nullptr;
    QToolBar* sectionBar = nullptr;
    QPointer<CEditText> nameEditor;
    QPointer<CHSpin> speedEditor;
    QPointer<CHSpin> endEditor;
    CCellColors reflectogramMarks;
    CCellColors gridFileMarks;

    CBackgroundListing listingJob;
    int listingGeneration = 0;
    std::vector<ReflectogramEntry> listed;
    bool restoringSelection = false;
};
