#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/distance_options.h"
#include "cli/json_output.h"

#include "files/reflectogram_file.h"
#include "measurement/analysis/event_finder.h"

#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli events FILE.tdr [--ku K] [--threshold N] [--sections FILE.pie]\n"
    "\n"
    "Finds the reflections of a reflectogram file and prints them as a JSON array in order of distance:\n"
    "  sample          the sample (0..7999) where the reflection's leading edge starts\n"
    "  distance_m      its distance in real metres, at the file's KU or by the section grid\n"
    "  polarity        \"+\" higher impedance (open, break), \"-\" lower (short, wet splice)\n"
    "  amplitude       counts from the local baseline to the echo's top\n"
    "  return_loss_db  20 log10(probe pulse amplitude / amplitude)\n"
    "  end             true for the end of the line: the last positive event at least half as\n"
    "                  large as the largest one\n"
    "  multiple        k for a re-reflection (ghost) of a stronger, nearer event come back at k\n"
    "                  times its distance; null for a reflection of the line itself\n"
    "\n"
    "  --ku K               measure the distances with KU K (a positive number) instead of the file's\n"
    "  --threshold N        report departures from the baseline of more than N noise deviations\n"
    "                       (default 4; at least 3 counts, for at least 4 samples)\n"
    "  --sections FILE.pie  measure the distances section by section, each with its own KU\n";

} // namespace

int runEvents(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("events", kUsage, args, {{"--ku", "--threshold", "--sections"}, {}, 1}, out, err, parsed,
                      exitCode))
        return exitCode;

    LineDistances distances;
    EventFinderSettings settings;
    if (!readPositiveOption(parsed, "events", "--threshold", settings.thresholdSigma, err) ||
        !readPositiveOption(parsed, "events", "--ku", distances.ku, err))
        return kExitUsage;

    const std::string& path = parsed.positional[0];
    ReflectogramRecord record;
    LocalTime time;
    if (Status s = readReflectogramFile(path, record, time); !s)
        return failWith(err, cliReason(s), kExitBadFile);
    if (const int code = completeLineDistances(parsed, path, record, distances, err); code != kExitOk)
        return code;

    const EventReport report = CEventFinder(settings).find(record.samples, recordGrid(record), distances);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const ReflectionEvent& e : report.events) {
        nlohmann::ordered_json j;
        j["sample"] = e.sample;
        j["distance_m"] = rounded(e.distance, 2);
        j["polarity"] = e.polarity > 0 ? "+" : "-";
        j["amplitude"] = rounded(e.amplitude, 1);
        j["return_loss_db"] = e.returnLossDb ? nlohmann::ordered_json(rounded(*e.returnLossDb, 1)) : nullptr;
        j["end"] = e.end;
        j["multiple"] = e.multiple > 0 ? nlohmann::ordered_json(e.multiple) : nullptr;
        list.push_back(std::move(j));
    }
    writeJson(out, list);
    return kExitOk;
}
