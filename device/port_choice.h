#pragma once

#include "device/transport.h"
#include "document/status.h"

#include <memory>
#include <optional>
#include <string>

// The instrument a port name stands for: a device path (any terminal), "auto" (the first FTDI USB
// bridge) or "sim" / "sim:options" (the simulated instrument, see parseSimOptions).
inline constexpr const char* kAutoPort = "auto";
inline constexpr const char* kPortKey = "PORT";

// The transport for `port`; null, with the reason in `error`, only for malformed simulator options.
std::unique_ptr<CTransport> makeTransport(const std::string& port, std::string* error = nullptr);
Status checkPortName(const std::string& port);

// The settings key PORT of "param.ini" (section VARNEL); "auto" when absent or empty.
std::string readPortSetting(const std::string& settingsFile);
void writePortSetting(const std::string& settingsFile, const std::string& port);

// The port a program uses: the one given on its command line, else the settings key, else "auto".
std::string choosePort(const std::optional<std::string>& commandLinePort, const std::string& settingsFile);
