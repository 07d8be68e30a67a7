#pragma once

#include "device/com_thread.h"

#include <array>
#include <cstdint>
#include <mutex>

class CNotifySink;

// The parameters the form fills in before it queues a command. The builder takes a copy under the
// protocol's lock when it builds the request, and the reply is read with that copy, so the owner may
// rebuild them at any time, even while an older command is still on the wire.
struct AcquisitionParams {
    char mode = 'Y';                 // 'Y' normal acquisition, 'L' long record of one line
    std::uint8_t sendLines = 0;      // bit 0 line 1, bit 1 line 2
    std::uint8_t receiveLines = 0;
    std::uint8_t averaging = 1;      // number of averaged shots
    std::uint8_t gainCode = 0;
    std::int16_t rangeCode = 0;      // 2^k - 1 of the whole range
    std::int16_t windowCode = 0;     // 2^k - 1 of the window or of the long record
    std::int16_t pulseCode = 1;      // probe pulse in units of 10 ns
    std::int32_t windowStart = 43;   // start of the window in base samples, plus 43 (24 bits sent)
    std::int32_t dataLength = 0;     // 502, 1002, 8002, or 0 when no line is selected
    friend bool operator==(const AcquisitionParams&, const AcquisitionParams&) = default;
};

// The instrument's protocol: five commands on the worker of CComThread.
//   0 full-range parameter packet, 1 window parameter packet, 2 full-range data, 3 window data, 4 start.
// Accepted replies are reported to `notifyWindow` with the notification codes below.
class CProtocolVUZ : public CComThread {
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

    explicit CProtocolVUZ(std::unique_ptr<CTransport> transport);
    ~CProtocolVUZ() override;

    bool IsResponseComplete(const std::uint8_t* buffer, std::uint32_t total) override;

    // Owner's side: set before queueing a command.
    void SetParams(const AcquisitionParams& params);
    AcquisitionParams Params() const;

    // Where notifications go; set before the thread is created.
    CNotifySink* notifyWindow = nullptr;

    // Filled by the handlers on the worker; the owner reads them after the notification and before it
    // queues the next command.
    std::uint16_t status1 = 0;
    std::uint16_t status2 = 0;
    std::array<std::uint8_t, 500> trace1{};
    std::array<std::uint8_t, 500> trace2{};
    std::array<std::uint8_t, 500> overview1{};
    std::array<std::uint8_t, 500> overview2{};
    std::array<std::uint8_t, 8000> longTrace{};

    // The request bytes for a set of parameters (tests and the simulated instrument share them).
    static std::array<std::uint8_t, kPacketLength> ParameterPacket(const AcquisitionParams& p, bool fullRange);

private:
    bool BuildParams(std::uint8_t* buffer, std::uint32_t& length, bool fullRange);
    bool BuildDataRequest(std::uint8_t* buffer, std::uint32_t& length);
    bool BuildStart(std::uint8_t* buffer, std::uint32_t& length);
    bool HandleAck(const std::uint8_t* buffer, int notification);
    bool HandleWindowData(const std::uint8_t* buffer);
    bool HandleFullRangeData(const std::uint8_t* buffer);
    bool IsErrorReply(const std::uint8_t* buffer) const;
    bool IsQuestionReply(const std::uint8_t* buffer) const;
    void Notify(int code);

    mutable std::mutex paramLock;
    AcquisitionParams params;

    // Worker side: the parameters the command now on the wire was built with.
    AcquisitionParams sent;
    std::int32_t expectedLength = 0;
};
