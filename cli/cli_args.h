#pragma once

#include "cli/commands.h"

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Exit codes: 0 success, 1 a file could not be used, 2 the command line is wrong.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadFile = 1;
inline constexpr int kExitUsage = 2;

// The arguments of one command: positional ones in order, "--name value" or "--name=value" options,
// and flags. "-h" and "--help" are always understood.
struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    bool help = false;
};

struct ArgRules {
    std::vector<std::string> valueOptions;   // e.g. "--ku"
    std::vector<std::string> flagOptions;    // e.g. "--speed"
    std::size_t positionalCount = 1;
};

// Parses `args` by `rules`; on a mistake returns false with `error` saying what is wrong.
bool parseArgs(const CliArgs& args, const ArgRules& rules, ParsedArgs& parsed, std::string& error);

// Whether a file can be written at `path` (its folder exists and may be written to, and the path is
// not a folder); an empty string, or what stands in the way, naming the path. Checked before any
// work, so a command that cannot deliver its output fails at once and leaves nothing behind.
std::string outputPathProblem(const std::string& path);

// Writes "varnel-cli: <message>" as one line to `err` and returns `code`.
int failWith(std::ostream& err, std::string_view message, int code);
// The same for a line in two wordings: the English one, or the Russian one when the error lines are Russian.
int failWith(std::ostream& err, std::string_view english, std::string_view russian, int code);

// The start every command shares: parses `args`; prints `usage` for --help. Returns false when the
// command is done already, with `exitCode` set (0 after the help, 2 after a usage error).
bool startCommand(std::string_view name, std::string_view usage, const CliArgs& args, const ArgRules& rules,
                  std::ostream& out, std::ostream& err, ParsedArgs& parsed, int& exitCode);
