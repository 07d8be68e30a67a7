#pragma once

#include "device/serial_transport.h"
#include "device/transport.h"
#include "document/status.h"

#include <memory>
#include <string>
#include <vector>

// The instrument a port name stands for: a device path (any terminal), "auto" (the one FTDI USB
// bridge attached) or "sim" / "sim:options" (the simulated instrument, see parseSimOptions).
inline constexpr const char* kAutoPort = "auto";

// The transport for `port`; null, with the reason in `error`, only for malformed simulator options.
std::unique_ptr<CTransport> makeTransport(const std::string& port, std::string* error = nullptr);
Status checkPortName(const std::string& port);

// The port a program uses: the one given on its command line, else the settings' choice when the
// program can use it, else "auto".
std::string choosePort(const std::string& commandLinePort, const std::string& settingPort);

// A bridge as the user knows it: "/dev/ttyUSB0 (FT232R USB UART, serial A50285BI)".
std::string describePort(const FtdiPort& port);
// "auto" stands for a single bridge: with more than one candidate the failure names them all, so the
// user can choose instead of the program guessing.
Status checkAutoPort(const std::string& port, const std::vector<FtdiPort>& candidates);
