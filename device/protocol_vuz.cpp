#include "device/protocol_vuz.h"

#include "device/notify_sink.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

CProtocolVUZ::CProtocolVUZ(std::unique_ptr<CTransport> transport) : CComThread(std::move(transport))
{
    RegisterCommand(kFullRangeParams, [this](std::uint8_t* b, std::uint32_t& n) { return BuildParams(b, n, true); },
                    [this](std::uint8_t* b, std::uint32_t&) { return HandleAck(b, kFullRangeAck); });
    RegisterCommand(kWindowParams, [this](std::uint8_t* b, std::uint32_t& n) { return BuildParams(b, n, false); },
                    [this](std::uint8_t* b, std::uint32_t&) { return HandleAck(b, kWindowAck); });
    RegisterCommand(kFullRangeData, [this](std::uint8_t* b, std::uint32_t& n) { return BuildDataRequest(b, n); },
                    [this](std::uint8_t* b, std::uint32_t&) { return HandleFullRangeData(b); });
    RegisterCommand(kWindowData, [this](std::uint8_t* b, std::uint32_t& n) { return BuildDataRequest(b, n); },
                    [this](std::uint8_t* b, std::uint32_t&) { return HandleWindowData(b); });
    RegisterCommand(kStart, [this](std::uint8_t* b, std::uint32_t& n) { return BuildStart(b, n); },
                    [this](std::uint8_t* b, std::uint32_t&) { return HandleAck(b, kStartAck); });
}

// The worker calls back into this object's members: it must end before they go.
CProtocolVUZ::~CProtocolVUZ() { EndThread(); }

void CProtocolVUZ::SetParams(const AcquisitionParams& p)
{
    std::lock_guard lock(paramLock);
    params = p;
}

AcquisitionParams CProtocolVUZ::Params() const
{
    std::lock_guard lock(paramLock);
    return params;
}

std::array<std::uint8_t, CProtocolVUZ::kPacketLength> CProtocolVUZ::ParameterPacket(const AcquisitionParams& p,
                                                                                    bool fullRange)
{
    const auto code = static_cast<std::uint16_t>(fullRange ? p.rangeCode : p.windowCode);
    const auto pulse = static_cast<std::uint16_t>(p.pulseCode);
    // The full-range packet always starts at 38, not at the 43 the window packet adds to its start.
    const auto start = static_cast<std::uint32_t>(fullRange ? 38 : p.windowStart);
    return {'D',
            kPacketLength,
            static_cast<std::uint8_t>(p.mode),
            p.sendLines,
            p.receiveLines,
            p.averaging,
            p.gainCode,
            static_cast<std::uint8_t>(code & 0xFF),
            static_cast<std::uint8_t>(code >> 8),
            static_cast<std::uint8_t>(pulse & 0xFF),
            static_cast<std::uint8_t>(pulse >> 8),
            static_cast<std::uint8_t>(start & 0xFF),
            static_cast<std::uint8_t>((start >> 8) & 0xFF),
            static_cast<std::uint8_t>((start >> 16) & 0xFF),
            0,
            0};
}

bool CProtocolVUZ::BuildParams(std::uint8_t* buffer, std::uint32_t& length, bool fullRange)
{
    sent = Params();
    const auto packet = ParameterPacket(sent, fullRange);
    std::memcpy(buffer, packet.data(), packet.size());
    length = kPacketLength;
    expectedLength = kAckLength;
    return true;
}

bool CProtocolVUZ::BuildDataRequest(std::uint8_t* buffer, std::uint32_t& length)
{
    sent = Params();
    buffer[0] = 'Z';
    buffer[1] = 2;
    length = 2;
    expectedLength = sent.dataLength;
    return true;
}

bool CProtocolVUZ::BuildStart(std::uint8_t* buffer, std::uint32_t& length)
{
    buffer[0] = 'A';
    buffer[1] = 3;
    buffer[2] = 1;
    length = 3;
    expectedLength = kAckLength;
    return true;
}

// Equalities only: a reply that overshoots its expected length never completes.
bool CProtocolVUZ::IsResponseComplete(const std::uint8_t* buffer, std::uint32_t total)
{
    if (static_cast<std::int64_t>(total) == expectedLength)
        return true;
    if (buffer[1] == '?' && total == 2)
        return true;
    if (buffer[1] == 'E' && total == 4)
        return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return false;
}

bool CProtocolVUZ::IsErrorReply(const std::uint8_t* buffer) const { return buffer[0] == ':' && buffer[1] == 'E'; }

// A 2-byte "?" reply carries no samples: a data handler treats it like an error reply, so the request
// is repeated and two stray bytes never reach a trace.
bool CProtocolVUZ::IsQuestionReply(const std::uint8_t* buffer) const
{
    return responseTotal == 2 && buffer[1] == '?';
}

void CProtocolVUZ::Notify(int code)
{
    if (notifyWindow)
        notifyWindow->post(code);
}

bool CProtocolVUZ::HandleAck(const std::uint8_t* buffer, int notification)
{
    if (buffer[0] != ':' || buffer[1] != 'O' || buffer[2] != 'K')
        return false;
    Notify(notification);
    return true;
}

bool CProtocolVUZ::HandleWindowData(const std::uint8_t* buffer)
{
    if (IsErrorReply(buffer)) {
        status1 = buffer[2];
        status2 = buffer[3];
        Notify(kWindowError);
        return true;
    }
    if (IsQuestionReply(buffer)) {
        Notify(kWindowError);
        return true;
    }
    if (sent.dataLength == 8002) {
        std::copy_n(buffer, longTrace.size(), longTrace.begin());
        status1 = buffer[8000];
        status2 = buffer[8001];
        Notify(kLongRecord);
        return true;
    }
    if ((sent.receiveLines & 3) == 3) {
        std::copy_n(buffer, 500, trace1.begin());
        std::copy_n(buffer + 500, 500, trace2.begin());
        status1 = buffer[1000];
        status2 = buffer[1001];
    } else {
        if (sent.receiveLines & 1)
            std::copy_n(buffer, 500, trace1.begin());
        if (sent.receiveLines & 2)
            std::copy_n(buffer, 500, trace2.begin());
        status1 = buffer[500];
        status2 = buffer[501];
    }
    Notify(kWindowReply);
    return true;
}

bool CProtocolVUZ::HandleFullRangeData(const std::uint8_t* buffer)
{
    if (IsErrorReply(buffer) || IsQuestionReply(buffer)) {
        Notify(kFullRangeError);
        return true;
    }
    if ((sent.receiveLines & 3) == 3) {
        std::copy_n(buffer, 500, overview1.begin());
        std::copy_n(buffer + 500, 500, overview2.begin());
    } else {
        if (sent.receiveLines & 1)
            std::copy_n(buffer, 500, overview1.begin());
        if (sent.receiveLines & 2)
            std::copy_n(buffer, 500, overview2.begin());
    }
    Notify(kFullRangeReply);
    return true;
}
