#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "files/number_text.h"
#include "files/reflectogram_file.h"

#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli info FILE.tdr\n"
    "\n"
    "Prints the parameters and samples of a reflectogram file as one JSON object:\n"
    "  scale    range in nominal metres (distance at KU 1.5)\n"
    "  pulse    probe pulse width in ns\n"
    "  average  averaging setting (2 to this power averages)\n"
    "  gain     gain setting\n"
    "  status   the line's status word\n"
    "  ku       shortening factor KU\n"
    "  time     last-write time of the file, local time, \"DD.MM.YYYY HH:MM:SS\"\n"
    "  samples  the 8000 samples, 0..255\n";

std::string timeText(const LocalTime& t)
{
    using numtext::twoDigits;
    return twoDigits(t.day) + "." + twoDigits(t.month) + "." + twoDigits(t.year) + " " + twoDigits(t.hour) + ":" +
           twoDigits(t.minute) + ":" + twoDigits(t.second);
}

} // namespace

int runInfo(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("info", kUsage, args, {}, out, err, parsed, exitCode))
        return exitCode;

    ReflectogramRecord record;
    LocalTime time;
    if (Status s = readReflectogramFile(parsed.positional[0], record, time); !s)
        return failWith(err, cliReason(s), kExitBadFile);

    nlohmann::ordered_json j;
    j["scale"] = record.scale();
    j["pulse"] = record.pulse();
    j["average"] = record.average;
    j["gain"] = record.gain;
    j["status"] = record.status;
    j["ku"] = record.ku();
    j["time"] = timeText(time);
    j["samples"] = record.samples;
    writeJson(out, j);
    return kExitOk;
}
