#pragma once

#include "device/transport.h"
#include "document/status.h"

#include <memory>
#include <string>

// The instrument a port name stands for: a device path (any terminal), "auto" (the first FTDI USB
// bridge) or "sim" / "sim:options" (the simulated instrument, see parseSimOptions).
inline constexpr const char* kAutoPort = "auto";

// The transport for `port`; null, with the reason in `error`, only for malformed simulator options.
std::unique_ptr<CTransport> makeTransport(const std::string& port, std::string* error = nullptr);
Status checkPortName(const std::string& port);

// The port a program uses: the one given on its command line, else the settings' choice when the
// program can use it, else "auto".
std::string choosePort(const std::string& commandLinePort, const std::string& settingPort);
