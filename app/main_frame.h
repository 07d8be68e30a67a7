#pragma once

#include "app/frame_panes.h"
#include "document/doc_view.h"

#include <QMainWindow>
#include <map>

class CCommandActions;
class CCommandTable;
class CSettings;
class CVarnelDoc;
class QLabel;
class QToolBar;

// The program's one main window: menus and toolbars bound to the command table, the status bar, and
// the panes of the panels (CFramePanes) with the three optional areas (overview screen, right-hand
// column, library) and their commands. It keeps the two-screen flag in the settings file.
class CMainFrame : public QMainWindow, public CDocView {
    Q_OBJECT
public:
    // Reads TWOSCREEN from the settings store; puts it back when destroyed.
    CMainFrame(CVarnelDoc& doc, CCommandTable& table, CSettings& settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds the menus and toolbars from the commands registered so far; called once after the panels
    // have registered their own commands.
    void createBars();

    bool twoScreen = false;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;
    CCommandActions& commandActions() { return *actions; }
    CFramePanes& panes() { return *paneSet; }
    QToolBar* toolBar(int resourceId) const;

private:
    QToolBar* addCommandBar(int resourceId, const QString& title, std::initializer_list<int> ids,
                            Qt::ToolBarArea area);
    void createMenus();
    void registerAreaCommands();
    void createStatusBar();
    void showAbout();

    CVarnelDoc& doc;
    CCommandTable& table;
    CSettings& settings;
    CCommandActions* actions = nullptr;
    CFramePanes* paneSet = nullptr;
    std::map<int, QToolBar*> bars;
};
