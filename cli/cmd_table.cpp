#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "files/file_bytes.h"
#include "files/table_file.h"

#include <ostream>
#include <sys/stat.h>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli table FILE.tku [--speed]\n"
    "\n"
    "Prints the entries of a KU table file as a JSON array of objects {\"name\", \"value\"}, where\n"
    "value is the text the table list shows: the KU as stored.\n"
    "\n"
    "  --speed  show the values as V/2 in m/us, \"%.1f\" of 300 / (2 x KU)\n";

} // namespace

int runTable(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("table", kUsage, args, {{}, {"--speed"}, 1}, out, err, parsed, exitCode))
        return exitCode;

    // The panel keeps its list when nothing is at the path; here that is an error.
    const std::string& path = parsed.positional[0];
    struct stat st {};
    if (nothingAt(path))
        return failWith(err, path + ": no such file", kExitBadFile);
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return failWith(err, path + ": is a folder", kExitBadFile);

    std::vector<TableEntry> entries;
    if (Status s = loadTable(path, parsed.flags.count("--speed") > 0, entries); !s)
        return failWith(err, s.reason(), kExitBadFile);

    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const TableEntry& e : entries)
        list.push_back({{"name", e.name}, {"value", e.value}});
    writeJson(out, list);
    return kExitOk;
}
