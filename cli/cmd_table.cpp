#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "document/units.h"
#include "document/file_bytes.h"
#include "files/ku_range.h"
#include "files/number_text.h"
#include "files/table_file.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <sys/stat.h>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli table FILE.tku [--speed]\n"
    "       varnel-cli table FILE.tku --add NAME VALUE [--speed]\n"
    "       varnel-cli table FILE.tku --delete I [--speed]\n"
    "\n"
    "Prints the entries of a KU table file as a JSON array of objects {\"name\", \"value\"}, where\n"
    "value is the text the table list shows: the KU as stored.\n"
    "\n"
    "  --speed     show the values as V/2 in m/us, \"%.1f\" of 300 / (2 x KU); with --add, VALUE is a V/2\n"
    "  --add       appends NAME with VALUE, a KU 1..3 written with three decimals (or a V/2 50..150\n"
    "              converted to KU \"%.3f\"); a missing file is created\n"
    "  --delete I  deletes entry I (from 1)\n"
    "The file is changed as the KU table panel changes it, then printed. Bad input changes nothing.\n";

bool isFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry --add appends, or a reason.
bool newEntry(const std::string& name, const std::string& valueText, bool speedMode, TableEntry& entry,
              std::string& error)
{
    double value = 0;
    if (!numtext::parseNumber(valueText, value) || !std::isfinite(value)) {
        error = "VALUE " + valueText + cliText(": not a number", ": не число");
        return false;
    }
    entry.name = name;
    entry.value = speedMode ? valueText : numtext::fixed(value, 3);
    // What the file will hold must read back as a usable KU.
    const double stored = numtext::leadingNumber(kuTextToSave(entry, speedMode));
    if (!(value > 0) || !(stored > 0) || !std::isfinite(stored)) {
        error = "VALUE " + valueText +
                (speedMode ? cliText(": not a V/2 of a usable KU", ": такой V/2 не дает допустимого КУ")
                           : cliText(": a KU must be at least 0.001", ": КУ должен быть не меньше 0.001"));
        return false;
    }
    // Only a KU the K.У. spin could hold, as the window's add dialog offers.
    if (const Status s = kuRangeCheck(speedMode ? kuOfSpeed(value) : value, speedMode); !s) {
        error = "VALUE " + valueText + ": " + cliReason(s);
        return false;
    }
    return true;
}

// A KU table is text: names and values on lines of their own, at least one value a KU. A reflectogram
// or a section file read as one decodes into control characters or into names without a KU.
std::string notATable(const std::vector<TableEntry>& entries, bool speedMode)
{
    bool anyKu = false;
    for (const TableEntry& e : entries) {
        for (const std::string* text : {&e.name, &e.value})
            for (const char c : *text)
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                    return cliText("control characters", "управляющие символы");
        anyKu = anyKu || kuOfTableText(e.value, speedMode).has_value();
    }
    return entries.empty() || anyKu ? std::string() : cliText("no entry holds a KU", "ни в одной записи нет КУ");
}

} // namespace

int runTable(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    // --add takes the name and the value after the file.
    const bool add = std::find(args.begin(), args.end(), "--add") != args.end();
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("table", kUsage, args, {{"--delete"}, {"--speed", "--add"}, add ? 3u : 1u}, out, err, parsed,
                      exitCode))
        return exitCode;
    const bool speedMode = parsed.flags.count("--speed") > 0;
    const auto del = parsed.values.find("--delete");
    if (add && del != parsed.values.end())
        return failWith(err, "table: choose one of --add and --delete", "table: выберите одно из --add и --delete",
                        kExitUsage);

    const std::string& path = parsed.positional[0];
    if (isFolder(path))
        return failWith(err, path + ": is a folder", path + ": это папка, а не файл", kExitBadFile);
    if (!add && nothingAt(path))
        return failWith(err, path + ": no such file", path + ": нет такого файла", kExitBadFile);

    std::vector<TableEntry> entries;
    if (Status s = loadTable(path, speedMode, entries); !s)
        return failWith(err, cliReason(s), kExitBadFile);
    if (const std::string wrong = notATable(entries, parsed.flags.count("--speed") > 0); !wrong.empty())
        return failWith(err, path + ": not a KU table (" + wrong + ")", path + ": не таблица КУ (" + wrong + ")",
                        kExitBadFile);

    if (add || del != parsed.values.end()) {
        if (add) {
            TableEntry entry;
            std::string error;
            if (!newEntry(parsed.positional[1], parsed.positional[2], speedMode, entry, error))
                return failWith(err, "table: " + error, kExitUsage);
            entries.push_back(std::move(entry));
        } else {
            double index = 0;
            if (!numtext::parseNumber(del->second, index) || index != std::trunc(index) || index < 1)
                return failWith(err, "table: --delete " + del->second + ": not an entry number (1, 2, ...)",
                                "table: --delete " + del->second + ": не номер записи (1, 2, ...)", kExitUsage);
            if (index > static_cast<double>(entries.size()))
                return failWith(err, path + ": there is no entry " + del->second + " (the table has " +
                                         std::to_string(entries.size()) + ")",
                                path + ": нет записи " + del->second + " (в таблице их " +
                                    std::to_string(entries.size()) + ")",
                                kExitBadFile);
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index - 1));
        }
        if (Status s = saveTable(path, speedMode, entries); !s)
            return failWith(err, cliReason(s), kExitBadFile);
        entries.clear();
        if (Status s = loadTable(path, speedMode, entries); !s)
            return failWith(err, cliReason(s), kExitBadFile);
    }

    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const TableEntry& e : entries)
        list.push_back({{"name", e.name}, {"value", e.value}});
    writeJson(out, list);
    return kExitOk;
}
