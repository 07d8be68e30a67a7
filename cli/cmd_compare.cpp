#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "files/number_text.h"
#include "files/reflectogram_file.h"
#include "files/section_file.h"
#include "measurement/analysis/baseline_compare.h"

#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli compare NEW.tdr BASELINE.tdr [--ku K] [--sections FILE.pie] [--threshold N]\n"
    "\n"
    "Compares a reflectogram of a line with its baseline, one taken when the line was healthy: aligns\n"
    "the baseline (a small shift of the start and a gain, fitted on the echoes both show), subtracts\n"
    "it, and finds the reflections of the difference. Prints one JSON object:\n"
    "  shift_samples  samples the new reflectogram lies later than the baseline\n"
    "  gain           the new reflectogram's levels over the baseline's\n"
    "  changes        in order of distance, each with\n"
    "    sample       the sample (0..7999) where the change starts\n"
    "    distance_m   its distance in real metres, at the new file's KU or by the section grid\n"
    "    polarity     \"+\" or \"-\": of the echo that came, went or changed\n"
    "    amplitude    counts the difference departs by\n"
    "    kind         \"новое\" an echo the baseline does not have, \"пропало\" one that went,\n"
    "                 \"изменилось\" one that grew or shrank\n"
    "\n"
    "  --ku K               measure the distances with KU K (a positive number) instead of the file's\n"
    "  --sections FILE.pie  measure the distances section by section, each with its own KU\n"
    "  --threshold N        report departures of more than N deviations of the difference's noise\n"
    "                       (default 3.5)\n"
    "\n"
    "Changes are the answer, not a failure: the exit code is 0 with or without them. Reflectograms of\n"
    "different ranges or pulses are refused.\n";

} // namespace

int runCompare(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("compare", kUsage, args, {{"--ku", "--threshold", "--sections"}, {}, 2}, out, err, parsed,
                      exitCode))
        return exitCode;

    LineDistances distances;
    CompareSettings settings;
    if (auto t = parsed.values.find("--threshold"); t != parsed.values.end() &&
                                                   (!numtext::parseNumber(t->second, settings.thresholdSigma) ||
                                                    !(settings.thresholdSigma > 0)))
        return failWith(err, "compare: --threshold must be a positive number, not \"" + t->second + "\"",
                        "compare: --threshold должен быть положительным числом, а не \"" + t->second + "\"",
                        kExitUsage);
    const auto kuOption = parsed.values.find("--ku");
    if (kuOption != parsed.values.end() && (!numtext::parseNumber(kuOption->second, distances.ku) || !(distances.ku > 0)))
        return failWith(err, "compare: --ku must be a positive number, not \"" + kuOption->second + "\"",
                        "compare: --ku должен быть положительным числом, а не \"" + kuOption->second + "\"",
                        kExitUsage);

    ReflectogramRecord records[2];
    for (int i = 0; i < 2; ++i) {
        LocalTime time;
        if (Status s = readReflectogramFile(parsed.positional[static_cast<std::size_t>(i)], records[i], time); !s)
            return failWith(err, cliReason(s), kExitBadFile);
    }
    if (auto sections = parsed.values.find("--sections"); sections != parsed.values.end()) {
        SectionFileData data;
        if (Status s = readSectionFile(sections->second, data); !s)
            return failWith(err, cliReason(s), kExitBadFile);
        distances.sections = documentSections(data);
    }
    if (kuOption == parsed.values.end()) {
        distances.ku = records[0].ku();
        if (!(distances.ku > 0) && distances.sections.empty())
            return failWith(err, parsed.positional[0] + ": the file's KU is " + numtext::fixed(distances.ku, 3) +
                                     "; give one with --ku",
                            parsed.positional[0] + ": КУ файла " + numtext::fixed(distances.ku, 3) +
                                "; укажите его в --ku",
                            kExitBadFile);
    }

    BaselineComparison result;
    if (Status s = compareWithBaseline(records[0].samples, recordGrid(records[0]), records[1].samples,
                                       recordGrid(records[1]), distances, settings, result);
        !s)
        return failWith(err, "compare: " + cliReason(s), kExitBadFile);
    nlohmann::ordered_json j;
    j["shift_samples"] = rounded(result.alignment.shift, 2);
    j["gain"] = rounded(result.alignment.gain, 3);
    nlohmann::ordered_json changes = nlohmann::ordered_json::array();
    for (const LineChange& c : result.changes) {
        nlohmann::ordered_json e;
        e["sample"] = c.sample;
        e["distance_m"] = rounded(c.distance, 2);
        e["polarity"] = c.polarity > 0 ? "+" : "-";
        e["amplitude"] = rounded(c.amplitude, 1);
        e["kind"] = changeKindText(c.kind);
        changes.push_back(std::move(e));
    }
    j["changes"] = std::move(changes);
    writeJson(out, j);
    return kExitOk;
}
