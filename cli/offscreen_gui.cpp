#include "cli/offscreen_gui.h"

#include "cli/cli_language.h"
#include "resources/i18n/ui_translation.h"

#include <cstdio>

std::unique_ptr<QGuiApplication> startOffscreenGui()
{
    if (QCoreApplication::instance())
        return nullptr;
    // QGuiApplication keeps references to argc and argv for its whole life.
    static int argc = 1;
    static char name[] = "varnel-cli";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    // The drawn report's words (titles, column titles, units) in the chosen language.
    installUiTranslations(*app, cliLanguage().report);
    return app;
}
