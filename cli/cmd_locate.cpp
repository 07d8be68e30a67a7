#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "files/number_text.h"
#include "files/reflectogram_file.h"
#include "measurement/analysis/two_ended_location.h"

#include <cmath>
#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli locate A.tdr B.tdr --length M [--event-a N] [--event-b N] [--cursor-a M_NOMINAL]\n"
    "                         [--cursor-b M_NOMINAL]\n"
    "\n"
    "Locates a fault seen from both ends of a line of known length, whatever KU the files were taken\n"
    "with: with dA and dB its nominal distances (at KU 1.5) from end A and end B, it lies at\n"
    "length x dA / (dA + dB) from A, and the line's KU is (dA + dB) x 1.5 / length. Without an event\n"
    "or a cursor the fault is the pair of events (not an end of the line, not a re-reflection) whose\n"
    "distances, scaled to the length, agree best; two pairs that agree about as well are refused.\n"
    "Prints one JSON object:\n"
    "  from_a_m, from_b_m  the fault's distance in metres from end A and from end B\n"
    "  ku, v2              the line's KU and V/2 in m/us\n"
    "  event_a, event_b    the fault as each end sees it: number (in the event list of \"events\",\n"
    "                      null for a cursor), sample, nominal_m, polarity, amplitude\n"
    "  spread_m            metres by which the two ends' distances, scaled to the length, disagree\n"
    "\n"
    "  --length M             the line's length in metres (above 0)\n"
    "  --event-a N            take event N of A's list as the fault (--event-b: of B's)\n"
    "  --cursor-a M_NOMINAL   take the fault at this nominal distance from A (--cursor-b: from B)\n"
    "\n"
    "A fault at or beyond the end of the line, or a KU outside 1..3, is refused.\n";

nlohmann::ordered_json sightingJson(const FaultSighting& s)
{
    nlohmann::ordered_json j;
    j["number"] = s.number > 0 ? nlohmann::ordered_json(s.number) : nullptr;
    j["sample"] = s.sample;
    j["nominal_m"] = rounded(s.position, 2);
    j["polarity"] = s.polarity > 0 ? nlohmann::ordered_json("+") : s.polarity < 0 ? nlohmann::ordered_json("-") : nullptr;
    j["amplitude"] = s.number > 0 ? nlohmann::ordered_json(rounded(s.amplitude, 1)) : nullptr;
    return j;
}

// Reads "--event-<end>" and "--cursor-<end>" into `choice`; an empty string, or what is wrong.
std::string readChoice(const ParsedArgs& parsed, const std::string& end, FaultChoice& choice)
{
    const auto event = parsed.values.find("--event-" + end), cursor = parsed.values.find("--cursor-" + end);
    if (event != parsed.values.end() && cursor != parsed.values.end())
        return cliText("give --event-" + end + " or --cursor-" + end + ", not both",
                       "укажите --event-" + end + " или --cursor-" + end + ", но не оба");
    if (event != parsed.values.end()) {
        double n = 0.0;
        if (!numtext::parseNumber(event->second, n) || n < 1 || n != std::floor(n) || n > 1e6)
            return cliText("--event-" + end + " must be an event number from 1, not \"" + event->second + "\"",
                           "--event-" + end + " должен быть номером события от 1, а не \"" + event->second + "\"");
        choice.event = static_cast<int>(n);
    }
    if (cursor != parsed.values.end()) {
        double m = 0.0;
        if (!numtext::parseNumber(cursor->second, m))
            return cliText("--cursor-" + end + " must be a number, not \"" + cursor->second + "\"",
                           "--cursor-" + end + " должен быть числом, а не \"" + cursor->second + "\"");
        choice.position = m;
    }
    return {};
}

} // namespace

int runLocate(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("locate", kUsage, args,
                      {{"--length", "--event-a", "--event-b", "--cursor-a", "--cursor-b"}, {}, 2}, out, err, parsed,
                      exitCode))
        return exitCode;

    const auto lengthOption = parsed.values.find("--length");
    if (lengthOption == parsed.values.end())
        return failWith(err, "locate: --length is required (see varnel-cli locate --help)",
                        "locate: не указан --length (см. varnel-cli locate --help)", kExitUsage);
    double length = 0.0;
    if (!numtext::parseNumber(lengthOption->second, length))
        return failWith(err, "locate: --length must be a number, not \"" + lengthOption->second + "\"",
                        "locate: --length должен быть числом, а не \"" + lengthOption->second + "\"", kExitUsage);
    FaultChoice choices[2];
    for (int i = 0; i < 2; ++i)
        if (const std::string problem = readChoice(parsed, i == 0 ? "a" : "b", choices[i]); !problem.empty())
            return failWith(err, "locate: " + problem, kExitUsage);
    // A length that can never locate is refused before the files are looked at.
    if (!(length > 0)) {
        TwoEndedLocation unused;
        return failWith(err, "locate: " + cliReason(locateFault({}, {}, length, unused)), kExitBadFile);
    }

    LineEnd ends[2];
    for (int i = 0; i < 2; ++i) {
        const std::string& path = parsed.positional[static_cast<std::size_t>(i)];
        ReflectogramRecord record;
        LocalTime time;
        if (Status s = readReflectogramFile(path, record, time); !s)
            return failWith(err, cliReason(s), kExitBadFile);
        // Each file on its own scale: the ends may be measured on different ranges and pulses.
        ends[i] = lineEnd(record.samples, recordGrid(record), record.ku(), choices[i]);
    }
    TwoEndedLocation result;
    if (Status s = locateFault(ends[0], ends[1], length, result); !s)
        return failWith(err, "locate: " + cliReason(s), kExitBadFile);
    nlohmann::ordered_json j;
    j["from_a_m"] = rounded(result.fromA, 2);
    j["from_b_m"] = rounded(result.fromB, 2);
    j["ku"] = rounded(result.ku, 4);
    j["v2"] = rounded(result.speed, 2);
    j["event_a"] = sightingJson(result.a);
    j["event_b"] = sightingJson(result.b);
    j["spread_m"] = rounded(result.spread, 2);
    writeJson(out, j);
    return kExitOk;
}
