#pragma once

#include "device/com_thread.h"

#include <iosfwd>
#include <memory>
#include <string>

// The device side of acquisition for a port name, as the program and varnel-cli build it: the transport
// the name stands for (a serial device, "auto" or the simulated instrument), the worker that owns it
// and the instrument's protocol. A name that cannot be used falls back to "auto". With `trace`, every
// byte that crosses the link is written there with its time (CTracingTransport).
std::unique_ptr<CComThread> makeDeviceWorker(const std::string& port, std::ostream* trace = nullptr);
