#pragma once

#include "document/doc_view.h"
#include "measurement/acquisition_controller.h"
#include "measurement/qt_acquisition_host.h"
#include "measurement/qt_notify_sink.h"
#include "display/wheel_notches.h"
#include "panels/report_colors.h"

#include <QWidget>
#include <functional>
#include <string>

class CCommandTable;
class CReportCtrl;
class CScreenWnd;
class CVarnelDoc;

// How the measurement form is set up by the program.
struct FormDrawSetup {
    std::string settingsFile;          // "param.ini": keys SAVE and PORT; empty: no settings are kept
    std::string saveDir;               // the Save folder, the default of SAVE
    std::string port;                  // --port; empty: the settings key PORT, else "auto"
    bool startOnShow = false;          // begin acquisition once the window is up (varnel --start)
    std::function<bool()> twoScreen;   // the main frame's overview screen is shown
};

// The measurement form: it owns the device worker and runs acquisition (CAcquisitionController) and
// the saving of live lines, and binds "Старт", "Стоп" and the two save commands in the command table.
// It shows the main reflectogram screen over the channel table, one row per shown line or memory.
class CFormDraw : public QWidget, public CDocView, public CReportColors {
    Q_OBJECT
public:
    CFormDraw(CVarnelDoc& doc, CCommandTable& commands, FormDrawSetup setup, QWidget* parent = nullptr);
    ~CFormDraw() override;

    void onDocumentUpdate(CDocView* sender, int hint) override;

    CAcquisitionController& acquisition() { return controller; }
    // The port the worker was created for.
    const std::string& port() const { return portInUse; }

    CScreenWnd& mainScreen() { return *screen; }
    CReportCtrl& channels() { return *channelTable; }
    bool tableShown = true;

    ReportCellColors cellColors(int row, int column) const override;

public slots:
    // Creates the worker thread, which opens the device; done on the first show if not called before.
    void initialUpdate();
    void start();   // "Старт"
    void stop();    // "Стоп"

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // --- Acquisition wiring ---
    void readAcquisitionSettings();
    void writeAcquisitionSettings();
    void registerAcquisitionCommands();
    void unregisterAcquisitionCommands();
    void createWorker();
    void acquisitionUpdate(int hint);

    // --- Screen and channel table ---
    void createScreenAndTable();
    void registerFormCommands();
    void FillChannelTable();
    void LayoutTable();
    void SizeColumns();
    void RetitleSpeedColumn();
    void drawScreen();
    void onScreenClick();

    CVarnelDoc& doc;
    CCommandTable& commands;
    FormDrawSetup setup;
    CQtAcquisitionHost host;
    CAcquisitionController controller;
    CQtNotifySink sink;
    std::string portSetting;   // the PORT key as read, written back unchanged
    std::string portInUse;
    bool updated = false;
    CScreenWnd* screen = nullptr;
    CReportCtrl* channelTable = nullptr;
    CWheelNotches notches;
};
