#include "cli/cli_args.h"
#include "cli/cli_language.h"

#include "document/units.h"
#include "cli/commands.h"

#include "document/tables.h"
#include "files/number_text.h"
#include "files/reflectogram_file.h"

#include <cstdint>
#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli export FILE.tdr [--ku K]\n"
    "\n"
    "Prints the samples of a reflectogram file as CSV with the header index,distance_m,value:\n"
    "the sample index, its distance from the start of the line in real metres (three decimals) at\n"
    "the file's KU, and its value as a signed number -128..127.\n"
    "\n"
    "  --ku K   measure the distances with KU K (a positive number) instead of the file's\n";


} // namespace

int runExport(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("export", kUsage, args, {{"--ku"}, {}, 1}, out, err, parsed, exitCode))
        return exitCode;

    double ku = 0.0;
    const auto kuOption = parsed.values.find("--ku");
    if (kuOption != parsed.values.end() && (!numtext::parseNumber(kuOption->second, ku) || !(ku > 0)))
        return failWith(err, "export: --ku must be a positive number, not \"" + kuOption->second + "\"",
                        "export: --ku должен быть положительным числом, а не \"" + kuOption->second + "\"", kExitUsage);

    const std::string& path = parsed.positional[0];
    ReflectogramRecord record;
    LocalTime time;
    if (Status s = readReflectogramFile(path, record, time); !s)
        return failWith(err, cliReason(s), kExitBadFile);
    if (kuOption == parsed.values.end()) {
        ku = record.ku();
        if (!(ku > 0))
            return failWith(err, path + ": the file's KU is " + numtext::fixed(ku, 3) + "; give one with --ku",
                            path + ": КУ файла " + numtext::fixed(ku, 3) + "; укажите его в --ku", kExitBadFile);
    }

    const double spacing = tables::kRawSpacingCm[static_cast<std::size_t>(record.scaleIndex)] / 100;
    std::string csv = "index,distance_m,value\n";
    csv.reserve(kRawSamples * 24);
    for (int i = 0; i < kRawSamples; ++i) {
        csv += std::to_string(i);
        csv += ',';
        csv += numtext::fixed(i * spacing * kReferenceKu / ku, 3);
        csv += ',';
        csv += std::to_string(static_cast<std::int8_t>(record.samples[static_cast<std::size_t>(i)]));
        csv += '\n';
    }
    out << csv;
    return kExitOk;
}
