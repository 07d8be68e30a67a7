#include "document/app_paths.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string withSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string userDir(const char* xdgVariable, const char* homeRelative)
{
    if (const char* xdg = std::getenv(xdgVariable); xdg && *xdg == '/')
        return withSlash(xdg);
    const char* home = std::getenv("HOME");
    return withSlash(std::string(home && *home ? home : "/tmp") + homeRelative);
}

// Root may write anywhere: the desktop entry installed beside the bin folder tells an installed program.
bool installed(const std::string& programDir)
{
    if (::access(programDir.c_str(), W_OK) != 0)
        return true;
    const std::string entry = programDir + "../share/applications/" + kDesktopEntryId + ".desktop";
    return ::access(entry.c_str(), F_OK) == 0;
}

} // namespace

bool ensureDirectory(const std::string& dir)
{
    if (dir.empty())
        return false;
    struct stat st {};
    if (::stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    for (std::size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos == dir.size() || dir[pos] == '/') {
            const std::string part = dir.substr(0, pos);
            if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
    }
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string executableDir()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return "./";
    std::string path(buffer, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

AppPaths appPathsFor(const std::string& programDir)
{
    AppPaths paths;
    paths.programDir = withSlash(programDir);
    // The help pages lie beside the program; an installed program keeps them with its shared data.
    paths.helpFile = paths.programDir + "help/index.html";
    if (const std::string shared = paths.programDir + "../share/varnel/help/index.html";
        ::access(paths.helpFile.c_str(), R_OK) != 0 && ::access(shared.c_str(), R_OK) == 0)
        paths.helpFile = shared;
    if (!installed(paths.programDir)) {
        paths.settingsFile = paths.programDir + "param.ini";
        paths.saveDir = paths.programDir + "Save/";
    } else {
        paths.settingsFile = userDir("XDG_CONFIG_HOME", "/.config") + "varnel/param.ini";
        paths.saveDir = userDir("XDG_DATA_HOME", "/.local/share") + "varnel/Save/";
    }
    return paths;
}

AppPaths locateAppPaths()
{
    AppPaths paths = appPathsFor(executableDir());
    ensureDirectory(paths.settingsFile.substr(0, paths.settingsFile.rfind('/') + 1));
    ensureDirectory(paths.saveDir);
    return paths;
}

AppPaths appPathsIn(const std::string& configDir)
{
    AppPaths paths = appPathsFor(executableDir());
    const std::string dir = withSlash(configDir);
    paths.settingsFile = dir + "param.ini";
    paths.saveDir = dir + "Save/";
    ensureDirectory(dir);
    ensureDirectory(paths.saveDir);
    return paths;
}
