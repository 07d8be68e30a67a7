#include "device/port_choice.h"

#include "device/serial_transport.h"
#include "device/sim_transport.h"

namespace {

bool isSimulated(const std::string& port) { return port == "sim" || port.rfind("sim:", 0) == 0; }

} // namespace

Status checkPortName(const std::string& port)
{
    if (port.empty())
        return Status::failure("empty port name");
    if (isSimulated(port)) {
        SimOptions options;
        return parseSimOptions(port, options);
    }
    return Status::success();
}

std::unique_ptr<CTransport> makeTransport(const std::string& port, std::string* error)
{
    if (isSimulated(port)) {
        SimOptions options;
        if (Status s = parseSimOptions(port, options); !s) {
            if (error)
                *error = s.reason();
            return nullptr;
        }
        return std::make_unique<CSimTransport>(options);
    }
    return std::make_unique<CSerialTransport>(port.empty() ? std::string(kAutoPort) : port);
}

std::string choosePort(const std::string& commandLinePort, const std::string& settingPort)
{
    if (!commandLinePort.empty())
        return commandLinePort;
    return !settingPort.empty() && checkPortName(settingPort) ? settingPort : std::string(kAutoPort);
}

std::string describePort(const FtdiPort& port)
{
    std::string details = port.product;
    if (!port.serial.empty())
        details += (details.empty() ? "" : ", ") + std::string("serial ") + port.serial;
    return details.empty() ? port.path : port.path + " (" + details + ")";
}

Status checkAutoPort(const std::string& port, const std::vector<FtdiPort>& candidates)
{
    if ((!port.empty() && port != kAutoPort) || candidates.size() < 2)
        return Status::success();
    std::string list;
    for (const FtdiPort& c : candidates)
        list += (list.empty() ? "" : "; ") + describePort(c);
    return Status::failure("more than one FTDI USB bridge: " + list);
}
