#include "device/protocol_vuz.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

using Line = std::array<std::uint8_t, kLineSamples>;

// Four bytes beginning ":E"; a whole data reply may begin with the same two samples.
bool isErrorReply(const std::uint8_t* reply, std::uint32_t total)
{
    return total == 4 && reply[0] == ':' && reply[1] == 'E';
}

// The 500 samples at `offset`, only when all of them arrived in this reply.
std::optional<Line> lineAt(const std::uint8_t* reply, std::uint32_t total, std::uint32_t offset)
{
    if (offset + kLineSamples > total)
        return std::nullopt;
    Line line;
    std::copy_n(reply + offset, kLineSamples, line.begin());
    return line;
}

// The samples of the lines in `receiveLines`, laid out as a window or full-range reply has them; returns
// the offset of the status bytes that follow them.
std::uint32_t takeLines(const AcquisitionParams& p, const std::uint8_t* reply, std::uint32_t total, DeviceNotification& out)
{
    if ((p.receiveLines & 3) == 3) {
        out.line1 = lineAt(reply, total, 0);
        out.line2 = lineAt(reply, total, kLineSamples);
        return 2 * kLineSamples;
    }
    if (p.receiveLines & 1)
        out.line1 = lineAt(reply, total, 0);
    if (p.receiveLines & 2)
        out.line2 = lineAt(reply, total, 0);
    return kLineSamples;
}

void takeStatus(const std::uint8_t* reply, std::uint32_t total, std::uint32_t offset, DeviceNotification& out)
{
    if (offset + 2 <= total)
        out.status = std::array<std::uint16_t, 2>{reply[offset], reply[offset + 1]};
}

// The mode byte of the parameter packet.
std::uint8_t modeByte(RecordMode mode)
{
    return mode == RecordMode::Long ? 'L' : 'Y';
}

} // namespace

std::array<std::uint8_t, CProtocolVUZ::kPacketLength> CProtocolVUZ::parameterPacket(const AcquisitionParams& p,
                                                                                    bool fullRange)
{
    const auto code = static_cast<std::uint16_t>(fullRange ? p.rangeCode : p.windowCode);
    const auto pulse = static_cast<std::uint16_t>(p.pulseCode);
    // The full-range packet always starts at 38, not at the 43 the window packet adds to its start.
    const auto start = static_cast<std::uint32_t>(fullRange ? 38 : p.windowStart);
    return {'D',
            kPacketLength,
            modeByte(p.mode),
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

std::uint32_t CProtocolVUZ::buildRequest(const DeviceCommand& command, std::uint8_t* buffer)
{
    switch (command.code) {
    case kFullRangeParams:
    case kWindowParams: {
        const auto packet = parameterPacket(command.params, command.code == kFullRangeParams);
        std::memcpy(buffer, packet.data(), packet.size());
        expectedLength = kAckLength;
        return kPacketLength;
    }
    case kFullRangeData:
    case kWindowData:
        buffer[0] = 'Z';
        buffer[1] = 2;
        expectedLength = command.params.dataLength;
        return 2;
    case kStart:
        buffer[0] = 'A';
        buffer[1] = 3;
        buffer[2] = 1;
        expectedLength = kAckLength;
        return 3;
    default:
        return 0;
    }
}

// A reply is whole at exactly its expected length; past it, it is not a reply at all. The short error
// and question replies are taken only when nothing follows them: a data reply may begin with the same
// bytes. Only ":E" makes an error reply.
ReplyCheck CProtocolVUZ::checkReply(const std::uint8_t* reply, std::uint32_t total) const
{
    if (static_cast<std::int64_t>(total) == expectedLength)
        return ReplyCheck::Complete;
    if (static_cast<std::int64_t>(total) > expectedLength)
        return ReplyCheck::Overlong;
    if (total == 2 && reply[1] == '?')
        return ReplyCheck::CompleteIfQuiet;
    if (total == 4 && reply[0] == ':' && reply[1] == 'E')
        return ReplyCheck::CompleteIfQuiet;
    return ReplyCheck::Incomplete;
}

// Past the short replies' four bytes only the expected length decides.
std::uint32_t CProtocolVUZ::bytesBeforeVerdict(const std::uint8_t*, std::uint32_t total) const
{
    if (total < 4 || static_cast<std::int64_t>(total) >= expectedLength)
        return 0;
    return static_cast<std::uint32_t>(expectedLength - total);
}

bool CProtocolVUZ::handleReply(const DeviceCommand& command, const std::uint8_t* reply, std::uint32_t total,
                               DeviceNotification& out)
{
    const AcquisitionParams& p = command.params;
    const bool whole = static_cast<std::int64_t>(total) == p.dataLength;
    switch (command.code) {
    case kFullRangeParams:
    case kWindowParams:
    case kStart:
        if (total < 3 || reply[0] != ':' || reply[1] != 'O' || reply[2] != 'K')
            return false;
        out.code = command.code == kStart ? kStartAck : command.code == kWindowParams ? kWindowAck : kFullRangeAck;
        return true;
    case kWindowData:
        // An error reply, or a short reply that is not data ("?"), carries no samples: the form repeats
        // the request. Only bytes of this reply ever reach a trace or a file.
        if (isErrorReply(reply, total)) {
            out.status = std::array<std::uint16_t, 2>{reply[2], reply[3]};
            out.code = kWindowError;
            return true;
        }
        if (!whole) {
            out.code = kWindowError;
            return true;
        }
        if (p.dataLength == kLongRecordLength) {
            out.longRecord.assign(reply, reply + kLongRecordSamples);
            takeStatus(reply, total, kLongRecordSamples, out);
            out.code = kLongRecord;
            return true;
        }
        takeStatus(reply, total, takeLines(p, reply, total, out), out);
        out.code = kWindowReply;
        return true;
    case kFullRangeData:
        if (isErrorReply(reply, total) || !whole) {
            out.code = kFullRangeError;
            return true;
        }
        takeLines(p, reply, total, out);
        out.code = kFullRangeReply;
        return true;
    default:
        return false;
    }
}
