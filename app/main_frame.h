#pragma once

#include "app/frame_layout.h"
#include "app/frame_panes.h"
#include "document/command_table.h"
#include "document/doc_view.h"

#include <QMainWindow>
#include <map>
#include <vector>

class CCommandActions;
class CSettings;
class CVarnelDoc;
class QToolBar;

// The program's one main window: menus and toolbars bound to the command table, the status bar, and
// the panes of the panels (CFramePanes) with the three optional areas (overview screen, right-hand
// column, library), their commands and the small-window rules (CFrameLayout). Help, the web site, the
// letter to the developers and the About box are its own commands. It keeps TWOSCREEN in the settings.
//
// Every menu item and toolbar button runs its command through the one command table, so a button works
// whichever panel registered the command and wherever that panel sits.
class CMainFrame : public QMainWindow, public CDocView {
    Q_OBJECT
public:
    static constexpr int kMinWidth = 640;
    static constexpr int kMinHeight = 480;

    // Reads TWOSCREEN from the settings store; puts it back when destroyed.
    CMainFrame(CVarnelDoc& doc, CCommandTable& table, CSettings& settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds the menus and toolbars; called once after the panels have registered their commands. A
    // command registered later still gets its button and menu item enabled as soon as it exists.
    void createBars();

    // The overview screen of the two-screen mode is shown (the acquisition asks for the full range then).
    bool twoScreen() const { return areas.twoScreen; }
    const CFrameLayout& layoutState() const { return areas; }
    // The size rules for a client area (below the menu bar) of cx x cy: compact or normal layout, and
    // where the pulse bar goes. Every size change runs it.
    void applyClientSize(int cx, int cy);
    // The pulse bar lies beside the range bar (a low window) rather than below it.
    bool bottomBarsSideBySide() const { return barsSideBySide; }
    // The program's description, opened by "Описание программы...".
    void setHelpFile(const QString& path) { helpFile = path; }

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;
    CCommandActions& commandActions() { return *actions; }
    CFramePanes& panes() { return *paneSet; }
    QToolBar* toolBar(int resourceId) const;

public slots:
    // The library's preview was switched on or off: the library row is laid out again, 500 pixels high
    // with the preview, 250 without.
    void setLibraryPreview(bool on);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolBar* addCommandBar(int resourceId, const QString& title, std::initializer_list<int> ids,
                            Qt::ToolBarArea area);
    void createMenus();
    void registerFrameCommands();
    void createStatusBar();
    void applyAreas();
    void dockBottomBars(bool sideBySide);
    void placeBottomBars(bool sideBySide);
    void openHelp();
    void openLink(const QString& url);
    void showAbout();
    void chooseLanguage();

    CVarnelDoc& doc;
    CCommandTable& table;
    std::vector<CCommandRegistration> registrations;
    CSettings& settings;
    CCommandActions* actions = nullptr;
    CFramePanes* paneSet = nullptr;
    CFrameLayout areas;
    std::map<int, QToolBar*> bars;
    bool barsSideBySide = false;
    QString helpFile;
};
