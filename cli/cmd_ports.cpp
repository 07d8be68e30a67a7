#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/json_output.h"

#include "device/serial_transport.h"

#include <ostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli ports\n"
    "\n"
    "Lists the USB serial bridges made by FTDI (vendor 0403) that could be the instrument, as one JSON\n"
    "array of objects: port (the device path to give --port), product and serial (as the bridge names\n"
    "itself, empty when it does not). \"--port auto\" takes the bridge only when it is the only one.\n";

} // namespace

int runPorts(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    ArgRules rules;
    rules.positionalCount = 0;
    if (!startCommand("ports", kUsage, args, rules, out, err, parsed, exitCode))
        return exitCode;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const FtdiPort& p : ftdiPorts())
        list.push_back({{"port", p.path}, {"product", p.product}, {"serial", p.serial}});
    writeJson(out, list);
    return kExitOk;
}
