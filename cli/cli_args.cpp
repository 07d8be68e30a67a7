#include "cli/cli_args.h"

#include "cli/cli_language.h"

#include "document/atomic_file.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <cstdlib>
#include <unistd.h>

namespace {

bool contains(const std::vector<std::string>& list, const std::string& s)
{
    return std::find(list.begin(), list.end(), s) != list.end();
}

} // namespace

bool parseArgs(const CliArgs& args, const ArgRules& rules, ParsedArgs& parsed, std::string& error)
{
    parsed = {};
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            parsed.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
        } else if (a == "-h" || a == "--help") {
            parsed.help = true;
        } else if (contains(rules.flagOptions, a)) {
            parsed.flags.insert(a);
        } else {
            const std::size_t eq = a.find('=');
            const std::string name = a.substr(0, eq);
            if (!contains(rules.valueOptions, name)) {
                error = cliText("unknown option " + a, "неизвестный параметр " + a);
                return false;
            }
            if (eq != std::string::npos) {
                parsed.values[name] = a.substr(eq + 1);
            } else if (i + 1 < args.size()) {
                parsed.values[name] = args[++i];
            } else {
                error = cliText("option " + name + " needs a value", "у параметра " + name + " нет значения");
                return false;
            }
        }
    }
    if (parsed.help)
        return true;
    if (parsed.positional.size() < rules.positionalCount) {
        error = cliText("missing FILE argument", "не указан файл");
        return false;
    }
    if (parsed.positional.size() > rules.positionalCount) {
        const std::string& extra = parsed.positional[rules.positionalCount];
        error = cliText("unexpected argument " + extra, "лишний аргумент " + extra);
        return false;
    }
    return true;
}

std::string outputPathProblem(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty())
        return cliText("empty output file name", "пустое имя выходного файла");
    // The file the output replaces: where a link leads, and only a regular file one may write.
    std::string target;
    bool replacing = false;
    if (Status s = resolveWriteTarget(path, target, replacing); !s)
        return cliReason(s);
    const fs::path parent = fs::path(target).parent_path();
    const std::string folder = parent.empty() ? std::string(".") : parent.string();
    if (!fs::exists(folder, ec))
        return path + cliText(": no such folder " + folder, ": нет папки " + folder);
    if (!fs::is_directory(folder, ec))
        return path + cliText(": " + folder + " is not a folder", ": " + folder + " не папка");
    // A file made and removed again is the only sure test: root passes every permission check, and
    // still cannot create files in /proc or on a read-only mount.
    std::string probe = (fs::path(folder) / ".varnel-cli-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return path + cliText(": the folder " + folder + " may not be written to",
                              ": в папку " + folder + " нельзя записывать");
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}

int failWith(std::ostream& err, std::string_view message, int code)
{
    std::string line(message);
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    err << "varnel-cli: " << line << '\n';
    return code;
}

int failWith(std::ostream& err, std::string_view english, std::string_view russian, int code)
{
    return failWith(err, cliText(std::string(english), std::string(russian)), code);
}

bool startCommand(std::string_view name, std::string_view usage, const CliArgs& args, const ArgRules& rules,
                  std::ostream& out, std::ostream& err, ParsedArgs& parsed, int& exitCode)
{
    std::string error;
    if (!parseArgs(args, rules, parsed, error)) {
        const std::string help = "varnel-cli " + std::string(name) + " --help)";
        exitCode = failWith(err, std::string(name) + ": " + error + cliText(" (see ", " (см. ") + help, kExitUsage);
        return false;
    }
    if (parsed.help) {
        out << usage;
        exitCode = kExitOk;
        return false;
    }
    return true;
}
