#pragma once

#include "document/command_table.h"
#include "measurement/analysis/forms/calibration_dlg.h"
#include "measurement/analysis/forms/compare_dlg.h"
#include "measurement/analysis/forms/events_dlg.h"
#include "measurement/analysis/forms/watch_dlg.h"

#include <QObject>
#include <QPointer>
#include <string>
#include <vector>

class CVarnelDoc;
class QWidget;

// The analysis tools as commands of the window: "Найти события" (the event list), "Калибровка КУ...",
// "Наблюдение..." (the fault watch), "Локализация с двух концов..." and "Сравнить с эталоном".
// Registers them in the command table and owns their dialogs, which belong to `window`.
class CAnalysisCommands : public QObject {
    Q_OBJECT
public:
    CAnalysisCommands(CVarnelDoc& doc, CCommandTable& commands, QWidget* window, std::string saveFolder);

    // Where "Добавить в таблицу" of the calibration puts a KU (the KU table panel); none: no button.
    void setTableAdd(CCalibrationDlg::AddToTable add) { tableAdd = std::move(add); }

    void showEvents();
    void showCalibration();
    void showWatch();
    void showLocate();
    void showCompare();
    CEventsDlg* eventsDialog() const { return events; }
    CCompareDlg* compareDialog() const { return comparison; }
    CWatchDlg* watchDialog() const { return watch; }

signals:
    // The number of changes the running watch saved; -1 when no watch runs.
    void watchChangesSaved(int count);

private:
    CVarnelDoc& doc;
    CCommandTable& commands;
    QWidget* window;
    std::string saveFolder;
    CCalibrationDlg::AddToTable tableAdd;
    QPointer<CEventsDlg> events;
    QPointer<CWatchDlg> watch;
    QPointer<CCompareDlg> comparison;
    // Last, so the commands go first when the tools do.
    std::vector<CCommandRegistration> registrations;
};
