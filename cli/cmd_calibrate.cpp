#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "files/reflectogram_file.h"
#include "measurement/analysis/event_finder.h"
#include "measurement/analysis/ku_calibration.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli calibrate FILE.tdr --length M [--cursor M_NOMINAL]\n"
    "\n"
    "Finds the KU of a cable of known length from its reflectogram: KU = nominal distance x 1.5 /\n"
    "length, the nominal distance (distance at KU 1.5) being that of the end of the line found in\n"
    "the file, or of the cursor. Prints one JSON object:\n"
    "  ku          the shortening factor KU\n"
    "  v2          V/2 in m/us (150 / KU)\n"
    "  end_sample  the sample (0..7999) of the end of the line, or the one under the cursor\n"
    "\n"
    "  --length M          the cable's true length in metres (above 0)\n"
    "  --cursor M_NOMINAL  take the end at this nominal distance instead of the one found\n"
    "\n"
    "A KU outside 1..3 is refused: the length or the reflection taken as the end is wrong.\n";

} // namespace

int runCalibrate(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("calibrate", kUsage, args, {{"--length", "--cursor"}, {}, 1}, out, err, parsed, exitCode))
        return exitCode;

    const auto lengthOption = parsed.values.find("--length");
    if (lengthOption == parsed.values.end())
        return failWith(err, "calibrate: --length is required (see varnel-cli calibrate --help)",
                        "calibrate: не указан --length (см. varnel-cli calibrate --help)", kExitUsage);
    double length = 0.0;
    if (!numtext::parseNumber(lengthOption->second, length))
        return failWith(err, "calibrate: --length must be a number, not \"" + lengthOption->second + "\"",
                        "calibrate: --length должен быть числом, а не \"" + lengthOption->second + "\"", kExitUsage);
    // A length that can never calibrate is refused before the file is looked at.
    if (KuCalibration unused; !(length > 0))
        if (Status s = calibrateKu(1.0, length, unused); !s)
            return failWith(err, "calibrate: " + cliReason(s), kExitBadFile);
    std::optional<double> cursor;
    if (auto c = parsed.values.find("--cursor"); c != parsed.values.end()) {
        double v = 0.0;
        if (!numtext::parseNumber(c->second, v))
            return failWith(err, "calibrate: --cursor must be a number, not \"" + c->second + "\"",
                            "calibrate: --cursor должен быть числом, а не \"" + c->second + "\"", kExitUsage);
        cursor = v;
    }

    const std::string& path = parsed.positional[0];
    ReflectogramRecord record;
    LocalTime time;
    if (Status s = readReflectogramFile(path, record, time); !s)
        return failWith(err, cliReason(s), kExitBadFile);
    const SampleGrid grid = recordGrid(record);

    int endSample = 0;
    double nominal = 0.0;
    if (cursor) {
        if (*cursor < 0 || *cursor > grid.position(kRawSamples - 1)) {
            const std::string given = numtext::fixed(*cursor, 2);
            const std::string last = numtext::fixed(grid.position(kRawSamples - 1), 2);
            return failWith(err, "calibrate: --cursor " + given + " lies outside the reflectogram (0.." + last +
                                     " nominal m)",
                            "calibrate: --cursor " + given + " вне рефлектограммы (0.." + last + " м при КУ 1.5)",
                            kExitUsage);
        }
        nominal = *cursor;
        endSample = static_cast<int>(std::lround(*cursor / grid.spacing));
    } else {
        const EventReport report = CEventFinder().find(record.samples, grid, LineDistances{});
        const auto end = std::find_if(report.events.begin(), report.events.end(),
                                      [](const ReflectionEvent& e) { return e.end; });
        if (end == report.events.end())
            return failWith(err, path + ": no end of the line found (a shorted end is negative); place it with --cursor",
                            path + ": конец линии не найден (отражение от замкнутого конца отрицательное); "
                                   "укажите его в --cursor",
                            kExitBadFile);
        nominal = end->position;
        endSample = end->sample;
    }

    KuCalibration result;
    if (Status s = calibrateKu(nominal, length, result); !s)
        return failWith(err, "calibrate: " + cliReason(s), kExitBadFile);
    nlohmann::ordered_json j;
    j["ku"] = result.ku;
    j["v2"] = result.speed;
    j["end_sample"] = endSample;
    writeJson(out, j);
    return kExitOk;
}
