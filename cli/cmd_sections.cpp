#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "files/section_file.h"

#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli sections FILE.pie\n"
    "\n"
    "Prints the sections of a section file as a JSON array, one object per section in file order:\n"
    "  number, name                 as the section list shows them\n"
    "  start, end, length           real metres, sections end to end from 0\n"
    "  ku                           the section's KU (0 or below counts as 1.5)\n"
    "  docStart, docEnd, docLength  what the scale grid uses: nominal metres x 100\n";

} // namespace

int runSections(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("sections", kUsage, args, {}, out, err, parsed, exitCode))
        return exitCode;

    SectionFileData data;
    if (Status s = readSectionFile(parsed.positional[0], data); !s)
        return failWith(err, s.reason(), kExitBadFile);

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
