#pragma once

#include "document/command_table.h"
#include "document/doc_view.h"
#include "display/wheel_notches.h"
#include "measurement/channel_table.h"
#include "widgets/report_colors.h"

#include <QWidget>
#include <string>
#include <vector>

class CAcquisitionController;
class CReportCtrl;
class CReportPrinting;
class CSettings;
class CScreenWnd;
class CVarnelDoc;

// How the measurement form is set up by the program.
struct FormDrawSetup {
    std::string saveDir;               // the Save folder, the default of SAVE
    bool startOnShow = false;          // begin acquisition once the window is up (varnel --start)
};

// The measurement form: it hosts acquisition (the application's CAcquisitionController) and the saving
// of live lines, and binds "Старт", "Стоп" and the two save commands in the command table. It shows the
// main reflectogram screen over the channel table, one row per shown line or memory, and prints the
// measurement's one-page report. It keeps the settings key SAVE.
class CFormDraw : public QWidget, public CDocView, public CReportColors {
    Q_OBJECT
public:
    CFormDraw(CVarnelDoc& doc, CCommandTable& commands, CAcquisitionController& acquisition, CSettings& settings,
              FormDrawSetup setup, QWidget* parent = nullptr);
    ~CFormDraw() override;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;

    CAcquisitionController& acquisition() { return controller; }

    CScreenWnd& mainScreen() { return *screen; }
    CReportCtrl& channels() { return *channelTable; }
    // "Печать...", "Предварительный просмотр печати" and "Сохранить отчет в PDF...".
    CReportPrinting& printing() { return *reportPrinting; }
    bool tableShown = true;

    ReportCellColors cellColors(int row, int column) const override;

    // The main screen's plot is never lower than this while the frame can help it.
    static constexpr int kMinPlotHeight = 150;
    // The main screen with a plot kMinPlotHeight high and its labels, over the channel table as shown.
    QSize minimumSizeHint() const override;

public slots:
    // The first fill of the screen; done on the first show if not called before.
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
    // --- Acquisition commands ---
    void registerAcquisitionCommands();

    // --- Screen and channel table ---
    void createScreenAndTable();
    void registerFormCommands();
    void fillChannelTable();
    void layoutTable();
    int tableItemHeight() const;
    void sizeColumns();
    void retitleSpeedColumn();
    void drawScreen();
    void onScreenClick();

    CVarnelDoc& doc;
    CCommandTable& commands;
    CAcquisitionController& controller;
    CSettings& settings;
    FormDrawSetup setup;
    bool updated = false;
    CScreenWnd* screen = nullptr;
    CReportCtrl* channelTable = nullptr;
    CReportPrinting* reportPrinting = nullptr;
    CWheelNotches notches;
    std::vector<ChannelCells> shownCells;   // the channel table's text as last built
    // Last, so the commands go first when the form does.
    std::vector<CCommandRegistration> registrations;
};
