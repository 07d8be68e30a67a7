#include "app/varnel_app.h"

#include "app/main_frame.h"
#include "app/unix_signal_bridge.h"
#include "document/doc_commands.h"
#include "document/varnel_doc.h"
#include "device/port_choice.h"
#include "measurement/form_draw.h"

#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QScreen>
#include <cstdio>

CVarnelApp::CVarnelApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("varnel"));
    setApplicationVersion(QStringLiteral("2.1.6"));
    // The program speaks Russian: Qt's own dialogs and standard buttons ("ОК", "Отмена") do too.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
    signalBridge = new CUnixSignalBridge(this);
    connect(signalBridge, &CUnixSignalBridge::terminationRequested, this, [] { QApplication::quit(); });
}

CVarnelApp::~CVarnelApp()
{
    frame.reset();
    doc.reset();
}

bool CVarnelApp::parseCommandLine(LaunchOptions& options, int& exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Рефлектометр импульсный VARNEL"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Instrument port: a device path, \"auto\" (first USB bridge) "
                                                 "or \"sim\" (built-in simulated instrument)."),
                                  QStringLiteral("PORT"));
    const QCommandLineOption start(QStringLiteral("start"), QStringLiteral("Start acquisition once the window is up."));
    const QCommandLineOption config(QStringLiteral("config-dir"),
                                    QStringLiteral("Folder for param.ini and the Save folder instead of the "
                                                   "program's own."),
                                    QStringLiteral("DIR"));
    parser.addOptions({port, start, config});
    if (!parser.parse(arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        exitCode = 2;
        return false;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))) {
        if (parser.isSet(QStringLiteral("version")))
            std::printf("varnel %s\n", qPrintable(applicationVersion()));
        else
            std::printf("%s", qPrintable(parser.helpText()));
        exitCode = 0;
        return false;
    }
    options.port = parser.value(port);
    if (parser.isSet(port)) {
        if (const Status s = checkPortName(options.port.toStdString()); !s) {
            std::fprintf(stderr, "--port %s: %s\n", qPrintable(options.port), s.reason().c_str());
            exitCode = 2;
            return false;
        }
    }
    options.start = parser.isSet(start);
    options.configDir = parser.value(config);
    return true;
}

void CVarnelApp::initInstance(const LaunchOptions& options)
{
    if (options.configDir.isEmpty()) {
        appPaths = locateAppPaths();
    } else {
        appPaths = appPathsIn(options.configDir.toStdString());
    }
    doc = std::make_unique<CVarnelDoc>(appPaths.settingsFile);
    registerDocumentCommands(commands, *doc);
    frame = std::make_unique<CMainFrame>(*doc, commands, appPaths.settingsFile);

    // The form registers its own commands (start, stop, saving, channel table) before the bars are made.
    FormDrawSetup setup;
    setup.settingsFile = appPaths.settingsFile;
    setup.saveDir = appPaths.saveDir;
    setup.port = options.port.toStdString();
    setup.startOnShow = options.start;
    CMainFrame* mainWindow = frame.get();
    setup.twoScreen = [mainWindow] { return mainWindow->twoScreen; };
    frame->setCentralWidget(new CFormDraw(*doc, commands, std::move(setup), frame.get()));

    frame->createBars();
    // Without a window manager a maximise request is not honoured: start with the screen's size anyway.
    frame->setGeometry(frame->screen()->availableGeometry());
    frame->showMaximized();
}
