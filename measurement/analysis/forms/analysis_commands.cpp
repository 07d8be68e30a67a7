#include "measurement/analysis/forms/analysis_commands.h"

#include "document/command_ids.h"
#include "document/command_table.h"
#include "measurement/analysis/forms/events_dlg.h"
#include "measurement/analysis/forms/locate_dlg.h"
#include "measurement/analysis/forms/watch_dlg.h"

#include <QWidget>

CAnalysisCommands::CAnalysisCommands(CVarnelDoc& doc, CCommandTable& commands, QWidget* window,
                                     std::string saveFolder)
    : QObject(window), doc(doc), commands(commands), window(window), saveFolder(std::move(saveFolder))
{
    registrations.push_back(commands.addScoped(cmd::kFindEvents, [this] { showEvents(); }, {}, false));
    registrations.push_back(commands.addScoped(cmd::kCalibrateKu, [this] { showCalibration(); }, {}, false));
    registrations.push_back(commands.addScoped(cmd::kWatch, [this] { showWatch(); },
                                               [this] { return CommandState{true, watch && watch->watching()}; }));
    registrations.push_back(commands.addScoped(cmd::kLocateTwoEnded, [this] { showLocate(); }, {}, false));
    registrations.push_back(commands.addScoped(cmd::kCompareBaseline, [this] { showCompare(); }, {}, false));
}

void CAnalysisCommands::showEvents()
{
    if (!events)
        events = new CEventsDlg(doc, window);
    events->show();
    events->raise();
    events->activateWindow();
}

void CAnalysisCommands::showCalibration()
{
    CCalibrationDlg dialog(doc, tableAdd, window);
    dialog.exec();
}

void CAnalysisCommands::showWatch()
{
    if (!watch) {
        watch = new CWatchDlg(doc, saveFolder, window);
        connect(watch, &CWatchDlg::changesSaved, this, [this](int count) {
            emit watchChangesSaved(count);
            commands.stateChanged();
        });
    }
    watch->show();
    watch->raise();
    watch->activateWindow();
}

void CAnalysisCommands::showLocate()
{
    CLocateDlg dialog(doc, window);
    dialog.exec();
}

void CAnalysisCommands::showCompare()
{
    if (!comparison)
        comparison = new CCompareDlg(doc, window);
    comparison->show();
    comparison->raise();
    comparison->activateWindow();
}
