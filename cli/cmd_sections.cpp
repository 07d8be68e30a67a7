#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "document/ini_file.h"
#include "document/tables.h"
#include "document/units.h"
#include "document/file_bytes.h"
#include "files/ku_range.h"
#include "files/number_text.h"
#include "files/section_edit.h"
#include "files/section_file.h"

#include <cmath>
#include <limits>
#include <ostream>

namespace {

constexpr std::size_t kSectionKindProbeBytes = 1 << 20;

constexpr std::string_view kUsage =
    "Usage: varnel-cli sections FILE.pie\n"
    "       varnel-cli sections FILE.pie --create [--scale M]\n"
    "       varnel-cli sections FILE.pie --add [--name N] [--length M] [--ku K]\n"
    "       varnel-cli sections FILE.pie --delete I\n"
    "       varnel-cli sections FILE.pie --set I [--name N] [--ku K]\n"
    "\n"
    "Prints the sections of a section file as a JSON array, one object per section in file order:\n"
    "  number, name                 as the section list shows them\n"
    "  start, end, length           real metres, sections end to end from 0\n"
    "  ku                           the section's KU (0 or below counts as 1.5)\n"
    "  docStart, docEnd, docLength  what the scale grid uses: nominal metres x 100\n"
    "\n"
    "With a change the file is changed as the scale-grid tab of the library changes it, then printed:\n"
    "  --create        a new file without sections; --scale M is its range in nominal metres\n"
    "                  (62.5, 125, ... 64000; default 62.5). An existing file is not replaced.\n"
    "  --add           appends a section: --name N (default empty), --length M its real length in\n"
    "                  metres at its KU (default 1 nominal metre), --ku K (1..3, default 1.5)\n"
    "  --delete I      deletes section I (from 1) and renumbers the following ones\n"
    "  --set I         changes the name and/or the KU of section I\n"
    "Bad input changes nothing.\n";

const std::vector<std::string> kValueOptions = {"--scale", "--name", "--length", "--ku", "--delete", "--set"};
const std::vector<std::string> kFlags = {"--create", "--add"};

bool number(const ParsedArgs& p, const std::string& option, double& value, std::string& error)
{
    const auto it = p.values.find(option);
    if (it == p.values.end())
        return true;
    if (!numtext::parseNumber(it->second, value) || !std::isfinite(value)) {
        error = option + " " + it->second + cliText(": not a number", ": не число");
        return false;
    }
    return true;
}

bool sectionNumber(const std::string& option, const std::string& text, int& number, std::string& error)
{
    double value = 0;
    if (!numtext::parseNumber(text, value) || value != std::trunc(value) || value < 1 ||
        value > std::numeric_limits<int>::max()) {
        error = option + " " + text + cliText(": not a section number (1, 2, ...)", ": не номер участка (1, 2, ...)");
        return false;
    }
    number = static_cast<int>(value);
    return true;
}

// Only a KU the K.У. spin could hold, as in the window.
bool checkKu(const ParsedArgs& p, double ku, std::string& error)
{
    if (const Status s = kuRangeCheck(ku, false); !s) {
        const auto given = p.values.find("--ku");
        error = "--ku " + (given != p.values.end() ? given->second : numtext::fixed(ku, 3)) + ": " + cliReason(s);
        return false;
    }
    return true;
}

// Which options go with which change.
bool checkCombination(const ParsedArgs& p, std::string& error)
{
    const bool create = p.flags.count("--create") > 0, add = p.flags.count("--add") > 0;
    const bool del = p.values.count("--delete") > 0, set = p.values.count("--set") > 0;
    if (create + add + del + set > 1) {
        error = cliText("choose one of --create, --add, --delete and --set",
                        "выберите одно из --create, --add, --delete и --set");
        return false;
    }
    struct Allowed { const char* option; bool ok; };
    const Allowed allowed[] = {{"--scale", create}, {"--name", add || set}, {"--length", add}, {"--ku", add || set}};
    for (const Allowed& a : allowed)
        if (p.values.count(a.option) && !a.ok) {
            error = a.option + cliText(" does not go with this command", " не сочетается с этой командой");
            return false;
        }
    if (set && !p.values.count("--name") && !p.values.count("--ku")) {
        error = cliText("--set needs --name or --ku", "с --set нужен --name или --ku");
        return false;
    }
    return true;
}

Status change(const ParsedArgs& p, const std::string& path, std::string& usageError)
{
    if (p.flags.count("--create")) {
        double scale = tables::kRanges[0];
        if (!number(p, "--scale", scale, usageError))
            return Status::success();
        if (tables::scaleIndexOf(scale) >= tables::kRangeCount) {
            usageError = "--scale " + p.values.at("--scale") +
                         cliText(": not a range", ": не диапазон") + " (62.5, 125, 250, ... 64000)";
            return Status::success();
        }
        if (!nothingAt(path))
            return Status::failure(path + ": already exists", path + ": файл уже существует");
        return createSectionFile(path, scale);
    }
    if (nothingAt(path))
        return Status::failure(path + ": no such file (make it with --create)",
                               path + ": нет такого файла (создайте его с --create)");
    if (p.flags.count("--add")) {
        NewSection section;
        double length = -1;
        if (!number(p, "--ku", section.ku, usageError) || !checkKu(p, section.ku, usageError) ||
            !number(p, "--length", length, usageError))
            return Status::success();
        if (p.values.count("--length")) {
            const double thousandths = std::trunc(length / kReferenceKu * section.ku * 1000);
            if (length < 0 || thousandths > std::numeric_limits<int>::max()) {
                usageError = "--length " + p.values.at("--length") +
                             cliText(": not a length of a section", ": недопустимая длина участка");
                return Status::success();
            }
            section.lengthThousandths = static_cast<int>(thousandths);
        }
        if (auto it = p.values.find("--name"); it != p.values.end())
            section.name = it->second;
        return addSection(path, section);
    }
    int index = 0;
    if (auto it = p.values.find("--delete"); it != p.values.end()) {
        if (!sectionNumber("--delete", it->second, index, usageError))
            return Status::success();
        return deleteSection(path, index - 1);
    }
    if (!sectionNumber("--set", p.values.at("--set"), index, usageError))
        return Status::success();
    SectionChange c;
    if (auto it = p.values.find("--name"); it != p.values.end())
        c.name = it->second;
    if (p.values.count("--ku")) {
        double ku = 0;
        if (!number(p, "--ku", ku, usageError) || !checkKu(p, ku, usageError))
            return Status::success();
        c.kuValue = ku;
    }
    return changeSection(path, index, c);
}

bool changes(const ParsedArgs& p)
{
    return p.flags.count("--create") || p.flags.count("--add") || p.values.count("--delete") || p.values.count("--set");
}

} // namespace

int runSections(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("sections", kUsage, args, {kValueOptions, kFlags, 1}, out, err, parsed, exitCode))
        return exitCode;
    const std::string& path = parsed.positional[0];

    std::string usageError;
    if (!checkCombination(parsed, usageError))
        return failWith(err, "sections: " + usageError, kExitUsage);
    if (!changes(parsed) && !parsed.values.empty())
        return failWith(err, "sections: " + parsed.values.begin()->first + " goes with a change only",
                        "sections: " + parsed.values.begin()->first + " используется только при изменении файла",
                        kExitUsage);
    // A section file always says how many sections it has; anything else (a reflectogram, a table)
    // is the wrong file, not a file without sections, and is neither listed nor changed. An empty file
    // is an empty list; --create makes a new file whatever was there.
    if (std::string bytes; !parsed.flags.count("--create")) {
        FileFacts facts;
        CIniFile ini(path);
        if (readFileBytes(path, kSectionKindProbeBytes, bytes, facts) && !bytes.empty()) {
            ini.loadBytes(bytes);
            if (!ini.has("PIECE", "AMOUNT"))
                return failWith(err, path + ": not a section file (no AMOUNT in [PIECE])",
                                path + ": не файл сетки масштабов (нет AMOUNT в [PIECE])", kExitBadFile);
        }
    }
    if (changes(parsed)) {
        const Status s = change(parsed, path, usageError);
        if (!usageError.empty())
            return failWith(err, "sections: " + usageError, kExitUsage);
        if (!s)
            return failWith(err, cliReason(s), kExitBadFile);
    }

    SectionFileData data;
    if (Status s = readSectionFile(path, data); !s)
        return failWith(err, cliReason(s), kExitBadFile);

    const std::vector<SectionRow> rows = sectionRows(data);
    const std::vector<Section> records = documentSections(data);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        nlohmann::ordered_json j;
        j["number"] = rows[i].number;
        j["name"] = rows[i].name;
        j["start"] = rows[i].start;
        j["end"] = rows[i].end;
        j["length"] = rows[i].length;
        j["ku"] = rows[i].ku;
        j["docStart"] = records[i].start;
        j["docEnd"] = records[i].end;
        j["docLength"] = records[i].length;
        list.push_back(std::move(j));
    }
    writeJson(out, list);
    return kExitOk;
}
