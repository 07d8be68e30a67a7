#pragma once

#include "device/device_codec.h"

#include <array>
#include <cstdint>

// The instrument's protocol: five commands, their request bytes, the completion rule of a reply and
// what each reply means. A plain codec owned by the worker (CComThread); it never waits.
//   0 full-range parameter packet, 1 window parameter packet, 2 full-range data, 3 window data, 4 start.
class CProtocolVUZ : public CDeviceCodec {
public:
    enum Command : std::uint8_t { kFullRangeParams = 0, kWindowParams = 1, kFullRangeData = 2, kWindowData = 3, kStart = 4 };
    enum Notification {
        kWindowAck = 1,
        kFullRangeAck = 2,
        kWindowError = 3,
        kFullRangeError = 4,
        kWindowReply = 5,
        kFullRangeReply = 6,
        kStartAck = 7,
        kLongRecord = 8,
    };
    static constexpr int kPacketLength = 16;
    static constexpr int kAckLength = 5;
    static constexpr int kLongRecordLength = 8002;

    // An unknown code builds nothing (length 0).
    std::uint32_t buildRequest(const DeviceCommand& command, std::uint8_t* buffer) override;
    ReplyCheck checkReply(const std::uint8_t* reply, std::uint32_t total) const override;
    std::uint32_t bytesBeforeVerdict(const std::uint8_t* reply, std::uint32_t total) const override;
    bool handleReply(const DeviceCommand& command, const std::uint8_t* reply, std::uint32_t total,
                     DeviceNotification& out) override;


    // The request bytes for a set of parameters (tests and the simulated instrument share them).
    static std::array<std::uint8_t, kPacketLength> parameterPacket(const AcquisitionParams& p, bool fullRange);

private:
    std::int32_t expectedLength = 0;
};
