#pragma once

#include "device/acquisition_params.h"

#include <cstdint>

// One queued device command: its one-byte code, the acquisition cycle it belongs to (echoed in its
// notification, so the owner can tell a late answer from the one it waits for), and its parameters.
struct DeviceCommand {
    std::uint8_t code = 0;
    std::uint32_t cycle = 0;
    AcquisitionParams params;
};
