#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/distance_options.h"
#include "cli/json_output.h"

#include "files/reflectogram_file.h"
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
    if (!readPositiveOption(parsed, "compare", "--threshold", settings.thresholdSigma, err) ||
        !readPositiveOption(parsed, "compare", "--ku", distances.ku, err))
        return kExitUsage;

    ReflectogramRecord records[2];
    for (int i = 0; i < 2; ++i) {
        LocalTime time;
        if (Status s = readReflectogramFile(parsed.positional[static_cast<std::size_t>(i)], records[i], time); !s)
            return failWith(err, cliReason(s), kExitBadFile);
    }
    if (const int code = completeLineDistances(parsed, parsed.positional[0], records[0], distances, err); code != kExitOk)
        return code;

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
