#include "cli/distance_options.h"

#include "cli/cli_language.h"
#include "files/number_text.h"
#include "files/section_file.h"

bool readPositiveOption(const ParsedArgs& parsed, const std::string& command, const std::string& option,
                        double& value, std::ostream& err)
{
    const auto given = parsed.values.find(option);
    if (given == parsed.values.end() || (numtext::parseNumber(given->second, value) && value > 0))
        return true;
    failWith(err, command + ": " + option + " must be a positive number, not \"" + given->second + "\"",
             command + ": " + option + " должен быть положительным числом, а не \"" + given->second + "\"",
             kExitUsage);
    return false;
}

int completeLineDistances(const ParsedArgs& parsed, const std::string& path, const ReflectogramRecord& record,
                          LineDistances& distances, std::ostream& err)
{
    if (auto sections = parsed.values.find("--sections"); sections != parsed.values.end()) {
        SectionFileData data;
        if (Status s = readSectionFile(sections->second, data); !s)
            return failWith(err, cliReason(s), kExitBadFile);
        distances.sections = documentSections(data);
    }
    if (parsed.values.find("--ku") == parsed.values.end()) {
        distances.ku = record.ku();
        if (!(distances.ku > 0) && distances.sections.empty())
            return failWith(err, path + ": the file's KU is " + numtext::fixed(distances.ku, 3) + "; give one with --ku",
                            path + ": КУ файла " + numtext::fixed(distances.ku, 3) + "; укажите его в --ku",
                            kExitBadFile);
    }
    return kExitOk;
}
