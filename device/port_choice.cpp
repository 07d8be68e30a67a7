#include "device/port_choice.h"

#include "device/serial_transport.h"
#include "device/sim_transport.h"
#include "document/doc_settings.h"
#include "document/ini_file.h"

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

std::string readPortSetting(const std::string& settingsFile)
{
    const std::string port = readProfileString(settingsFile, kSettingsSection, kPortKey, kAutoPort);
    return port.empty() ? std::string(kAutoPort) : port;
}

void writePortSetting(const std::string& settingsFile, const std::string& port)
{
    writeProfileString(settingsFile, kSettingsSection, kPortKey, port);
}

std::string choosePort(const std::optional<std::string>& commandLinePort, const std::string& settingsFile)
{
    if (commandLinePort && !commandLinePort->empty())
        return *commandLinePort;
    return settingsFile.empty() ? std::string(kAutoPort) : readPortSetting(settingsFile);
}
