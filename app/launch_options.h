#pragma once

#include "resources/ui_language.h"

#include <QString>
#include <optional>

// How the program was started (command line).
struct LaunchOptions {
    QString port;         // instrument port: a device path, "auto" or "sim"; empty = the settings' choice
    bool start = false;   // begin acquisition once the window is up
    QString configDir;    // folder for "param.ini" and Save instead of the program's own
    std::optional<UiLanguage> language;   // --lang: overrides the stored choice and the locale
};

// Reads the command line before any window exists, so that --help, --version and a wrong option need
// no display. Returns the exit code when the program should end at once: 0 after the help or the
// version (on standard output), 2 after a wrong command line (one line on standard error). The texts
// are in the language of --lang, else of the locale (Russian for a Russian locale or none).
std::optional<int> parseLaunchOptions(int argc, char** argv, LaunchOptions& options);
