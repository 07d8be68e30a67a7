#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

inline constexpr int kLineSamples = 500;
inline constexpr int kLongRecordSamples = 8000;

// What the worker reports of an accepted reply. The samples travel by value: the owner's thread never
// reads a buffer the worker may be writing.
struct DeviceNotification {
    int code = 0;                 // 1..8, see CProtocolVUZ::Notification
    std::uint32_t cycle = 0;      // the cycle of the command that was answered
    // The two status bytes of a data or error reply, when the reply carried them.
    std::optional<std::array<std::uint16_t, 2>> status;
    // The samples of each line received in a window or full-range reply; a line not received is empty.
    std::optional<std::array<std::uint8_t, kLineSamples>> line1;
    std::optional<std::array<std::uint8_t, kLineSamples>> line2;
    // The 8000 samples of a long record (notification 8), empty otherwise.
    std::vector<std::uint8_t> longRecord;
};
