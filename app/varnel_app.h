#pragma once

#include "app/launch_options.h"
#include "document/app_paths.h"
#include "document/command_table.h"

#include <QApplication>
#include <memory>
#include <string>

class CAcquisitionController;
class CMainFrame;
class CQtAcquisitionHost;
class CQtNotifySink;
class CQtPanelHost;
class CSettings;
class CUnixSignalBridge;
class CVarnelDoc;

// The application object and the one place where the program is wired: the settings store, the
// document, the command table, the device chain (port, worker, protocol) with the acquisition
// controller, and the main window with its panels. shutdown() takes them down in a fixed order.
class CVarnelApp : public QApplication {
    Q_OBJECT
public:
    CVarnelApp(int& argc, char** argv);
    ~CVarnelApp() override;

    // Reads the settings, builds the document, the device chain and the main window, and shows it
    // maximised.
    void initInstance(const LaunchOptions& options);
    // The end, in this order: stop acquisition, end the worker, destroy the windows (each panel puts its
    // keys back), the document puts its keys back, and the settings file is written once. Safe to call
    // more than once.
    void shutdown();

    CVarnelDoc& document() { return *doc; }
    CMainFrame& mainFrame() { return *frame; }
    const AppPaths& paths() const { return appPaths; }

private:
    AppPaths appPaths;
    std::unique_ptr<CSettings> settings;
    std::unique_ptr<CVarnelDoc> doc;
    CCommandTable commands;
    std::unique_ptr<CQtAcquisitionHost> host;
    std::unique_ptr<CQtNotifySink> sink;
    std::unique_ptr<CAcquisitionController> acquisition;
    // The panels' questions to the user; it outlives the frame that holds the panels.
    std::unique_ptr<CQtPanelHost> panelHost;
    std::unique_ptr<CMainFrame> frame;
    std::string portSetting;   // the PORT key as read, put back unchanged
    CUnixSignalBridge* signalBridge = nullptr;
};
