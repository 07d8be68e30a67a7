#include "app/varnel_app.h"

#include "app/command_actions.h"
#include "app/first_paint_probe.h"
#include "app/main_frame.h"
#include "app/port_choice_dlg.h"
#include "app/varnel_style.h"
#include "app/tool_icons.h"
#include "app/ui_language_choice.h"
#include "app/unix_signal_bridge.h"
#include "device/port_choice.h"
#include "document/command_ids.h"
#include "document/doc_commands.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "files/widgets/form_memory.h"
#include "measurement/acquisition_controller.h"
#include "measurement/analysis/forms/analysis_commands.h"
#include "measurement/device_chain.h"
#include "measurement/forms/form_draw.h"
#include "measurement/forms/qt_acquisition_host.h"
#include "measurement/forms/qt_notify_sink.h"
#include "display/widgets/screen_wnd.h"
#include "display/widgets/form.h"
#include "panels/forms/form_ku.h"
#include "panels/forms/form_params.h"
#include "panels/forms/form_set.h"
#include "panels/host/qt_panel_host.h"
#include "resources/i18n/ui_translation.h"
#include "resources/version.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QStatusBar>
#include <QScreen>
#include <cstdio>

CVarnelApp::CVarnelApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("varnel"));
    setApplicationVersion(QString::fromLatin1(kVarnelVersion));
    // The desktop entry and the icon theme's "varnel" (both installed with the program) name the window;
    // the icon itself is looked up once the window is on the screen (applyProgramIcon).
    setDesktopFileName(QString::fromLatin1(kDesktopEntryId));
    // The style chosen for the platform, with the pictures every tool bar asks for read once and its
    // main-window tool bars' lines filled without Qt's thread pool.
    setStyle(new CVarnelStyle(style()));
    signalBridge = new CUnixSignalBridge(this);
    connect(signalBridge, &CUnixSignalBridge::terminationRequested, this, [] { QApplication::quit(); });
    // The platform ends the process as soon as this returns: shut down here, settings written last.
    connect(signalBridge, &CUnixSignalBridge::displayLost, this, [this] { shutdown(); }, Qt::DirectConnection);
}

namespace {

constexpr const char* kPortKey = "PORT";

// The theme's lookup and the drawn fallback take a while: done after the first frame, or before a
// window that comes earlier.
void applyProgramIcon()
{
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("varnel"), programIcon()));
}

} // namespace

CVarnelApp::~CVarnelApp() { shutdown(); }

void CVarnelApp::shutdown()
{
    if (acquisition) {
        acquisition->stop();
        acquisition->onDestroy();
    }
    frame.reset();
    panelHost.reset();
    acquisition.reset();
    sink.reset();
    host.reset();
    if (settings)
        settings->setString(kPortKey, portSetting);
    doc.reset();
    if (settings) {
        if (const Status s = settings->save(); !s)
            std::fprintf(stderr, "varnel: %s\n", s.reason().c_str());
        settings.reset();
    }
}

void CVarnelApp::initInstance(const LaunchOptions& options)
{
    if (options.configDir.isEmpty()) {
        appPaths = locateAppPaths();
    } else {
        appPaths = appPathsIn(options.configDir.toStdString());
    }
    settings = std::make_unique<CSettings>(appPaths.settingsFile);
    // The language: --lang, else the one chosen in "Язык / Language", else the locale's. Qt's own dialogs
    // and standard buttons ("ОК", "Отмена") speak it too.
    installUiTranslations(*this, options.language ? *options.language
                                                  : storedUiLanguage(*settings).value_or(uiLanguageOfEnvironment()));
    doc = std::make_unique<CVarnelDoc>(*settings);
    registerDocumentCommands(commands, *doc);
    frame = std::make_unique<CMainFrame>(*doc, commands, *settings);
    frame->setHelpFile(helpFileFor(QString::fromStdString(appPaths.helpFile), uiLanguage()));

    // The device chain: the port of the command line, else the settings' PORT (one the program cannot
    // use falls back to "auto", as every bad setting does), the worker with the protocol, the controller.
    portSetting = settings->getString(kPortKey, kAutoPort);
    if (portSetting.empty())
        portSetting = kAutoPort;
    std::string port = choosePort(options.port.toStdString(), portSetting);
    // "auto" with several bridges attached does not guess: the user names the instrument's for this run.
    // Cancelled, "auto" stays and opens none of them. A named port needs no look at the bridges attached.
    if (port.empty() || port == kAutoPort) {
        if (const std::vector<FtdiPort> candidates = ftdiPorts(); !checkAutoPort(port, candidates)) {
            applyProgramIcon();
            if (const std::optional<std::string> chosen = CPortChoiceDlg::ask(candidates))
                port = *chosen;
        }
    }
    host = std::make_unique<CQtAcquisitionHost>(frame.get());
    acquisition = std::make_unique<CAcquisitionController>(*doc, *host);
    host->attach(*acquisition);
    CMainFrame* mainWindow = frame.get();
    host->setTwoScreenQuery([mainWindow] { return mainWindow->twoScreen(); });
    host->setStateListener([this] { commands.stateChanged(); });
    sink = std::make_unique<CQtNotifySink>(this, [this](const DeviceNotification& n) { acquisition->onDeviceNotify(n); });

    // The form registers its own commands (start, stop, saving, channel table) before the bars are made.
    FormDrawSetup setup;
    setup.saveDir = appPaths.saveDir;
    setup.startOnShow = options.start;
    auto* form = new CFormDraw(*doc, commands, *acquisition, *settings, std::move(setup));
    frame->panes().setPanel(Pane::MeasurementForm, form);
    CFirstPaintProbe::installIfAsked(&form->mainScreen());
    frame->panes().setPanel(Pane::Overview, new CForm(*doc));
    acquisition->onInitialUpdate(makeDeviceWorker(port), sink.get());

    // The side panels: the cursor row on top, the channel parameters over the KU table on the right.
    frame->panes().setPanel(Pane::CursorRow, new CFormSet(*doc));
    frame->panes().setPanel(Pane::ChannelParams, new CFormParams(*doc));
    panelHost = std::make_unique<CQtPanelHost>(frame.get());
    auto* kuPanel = new CFormKU(*doc, commands, *settings, *panelHost, appPaths.saveDir);
    frame->panes().setPanel(Pane::KuTable, kuPanel);
    std::vector<QAction*> kuBar;
    for (int id : {cmd::kOpenKuTable, 0, cmd::kUseKu, 0, cmd::kAddKu, cmd::kDeleteKu}) {
        QAction* a = id ? frame->commandActions().action(id) : nullptr;
        if (a)
            a->setIcon(toolIcon(id));
        kuBar.push_back(a);
    }
    kuPanel->setToolBarActions(kuBar);

    // The analysis tools: the event list, KU from a known length (into the KU table), the fault watch.
    auto* analysis = new CAnalysisCommands(*doc, commands, frame.get(), appPaths.saveDir);
    analysis->setTableAdd([kuPanel](const std::string& name, double ku, std::string& error) {
        return kuPanel->addValue(name, ku, error);
    });
    // The library shares the frame's actions (its 33012 also stands on the toolbar and in the menu) and
    // asks the frame for the taller row when its preview is switched on.
    LibrarySetup library;
    library.saveDir = appPaths.saveDir;
    library.action = [mainWindow](int id) { return mainWindow->commandActions().action(id); };
    library.relayout = [mainWindow](bool previewOn) { mainWindow->setLibraryPreview(previewOn); };
    library.listLater = true;
    auto* memory = new CFormMemory(*doc, commands, *settings, *panelHost, std::move(library));
    frame->panes().setPanel(Pane::Library, memory);
    // A folder of thousands of files is listed, and the library's hidden tab built, once the window
    // is on the screen.
    CFirstPaintProbe::afterFirstPaint(&form->mainScreen(), [memory] {
        memory->fillReflectogramList();
        memory->createGridTab();
        applyProgramIcon();
    });

    frame->createBars();
    // The running watch's count of saved changes, in the status bar beside the message pane.
    auto* watchCount = new QLabel(frame.get());
    watchCount->setAccessibleName(tr("Наблюдение"));
    watchCount->hide();
    frame->statusBar()->addWidget(watchCount);
    connect(analysis, &CAnalysisCommands::watchChangesSaved, watchCount, [watchCount](int count) {
        watchCount->setVisible(count >= 0);
        watchCount->setText(tr("Наблюдение: сохранено изменений %1").arg(count));
    });
    // Without a window manager a maximise request is not honoured: start with the screen's size anyway.
    frame->setGeometry(frame->screen()->availableGeometry());
    frame->showMaximized();
}
