#pragma once

#include <string>

// The name of the program's desktop entry (share/applications/<id>.desktop) and AppStream component.
inline constexpr const char* kDesktopEntryId = "org.example.varnel.Varnel";

// Where the program keeps "param.ini" and its Save folder. Both live beside the executable; for an
// installed program (its folder not writable, or a bin folder beside the share/applications/ that
// holds its desktop entry, so also when root runs it from /usr/bin) the settings go to the per-user
// configuration folder and Save to the per-user data folder. Folder paths end with '/'.
struct AppPaths {
    std::string programDir;
    std::string settingsFile;
    std::string saveDir;
    std::string helpFile;   // the program's description, "help/index.html"
};

// Works the paths out for the running executable and creates the Save folder when it is missing.
AppPaths locateAppPaths();
// The same rules for a given program folder (tests).
AppPaths appPathsFor(const std::string& programDir);
// A chosen folder holds "param.ini" and Save, whatever the program's folder; both are created.
AppPaths appPathsIn(const std::string& configDir);
// The folder of the running executable, ending with '/'.
std::string executableDir();
// Creates a folder and its parents; true when it exists afterwards.
bool ensureDirectory(const std::string& dir);
