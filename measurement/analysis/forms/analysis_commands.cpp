#include "measurement/analysis/forms/analysis_commands.h"

#include "document/command_ids.h"
#include "document/command_table.h"
#include "measurement/analysis/forms/events_dlg.h"
#include "measurement/analysis/forms/watch_dlg.h"

#include <QWidget>

CAnalysisCommands::CAnalysisCommands(CVarnelDoc& doc, CCommandTable& commands, QWidget* window,
                                     std::string saveFolder)
    : QObject(window), doc(doc), commands(commands), window(window), saveFolder(std::move(saveFolder))
{
    commands.add(cmd::kFindEvents, [this] { showEvents(); }, {}, false);
    commands.add(cmd::kCalibrateKu, [this] { showCalibration(); }, {}, false);
    commands.add(cmd::kWatch, [this] { showWatch(); }, [this] { return CommandState{true, watch && watch->watching()}; });
}

CAnalysisCommands::~CAnalysisCommands()
{
    for (int id : {cmd::kFindEvents, cmd::kCalibrateKu, cmd::kWatch})
        commands.add(id, {}, [] { return CommandState{false, false}; });
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
