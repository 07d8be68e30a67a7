#pragma once

#include "document/app_paths.h"
#include "document/command_table.h"

#include <QApplication>
#include <memory>

class CMainFrame;
class CUnixSignalBridge;
class CVarnelDoc;

// How the program was started (command line).
struct LaunchOptions {
    QString port;         // instrument port: a device path, "auto" or "sim"; empty = the settings' choice
    bool start = false;   // begin acquisition once the window is up
    QString configDir;    // folder for "param.ini" and Save instead of the program's own
};

// The application object: creates the document (which reads the settings), the command table and the
// main window, and takes them down in a fixed order at the end (acquisition and the worker with the
// window, then the document, which writes the settings last).
class CVarnelApp : public QApplication {
    Q_OBJECT
public:
    CVarnelApp(int& argc, char** argv);
    ~CVarnelApp() override;

    // Parses the command line; false (with the message already printed) when the program should end.
    bool parseCommandLine(LaunchOptions& options, int& exitCode);
    // Builds the document and the main window and shows it maximised.
    void initInstance(const LaunchOptions& options);

    CVarnelDoc& document() { return *doc; }
    CMainFrame& mainFrame() { return *frame; }
    const AppPaths& paths() const { return appPaths; }

private:
    AppPaths appPaths;
    std::unique_ptr<CVarnelDoc> doc;
    CCommandTable commands;
    std::unique_ptr<CMainFrame> frame;
    CUnixSignalBridge* signalBridge = nullptr;
};
