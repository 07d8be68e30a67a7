#pragma once

#include "device/device_command.h"
#include "device/device_notification.h"

#include <cstdint>

// Whether the bytes received so far are a whole reply.
enum class ReplyCheck {
    Incomplete,        // read on
    Complete,          // the reply is whole
    CompleteIfQuiet,   // whole only if no further byte arrives within one more read time-out
    Overlong,          // more bytes than the reply can have: not framed as a reply
};

// The instrument's protocol as the worker needs it: request bytes, the completion rule and the
// interpretation of a reply. A codec never waits and never touches the link; the worker does both.
class CDeviceCodec {
public:
    virtual ~CDeviceCodec() = default;

    // Writes the request for `command` from the start of `buffer` (room for at least 9000 bytes) and
    // returns its length; remembers what reply completes it.
    virtual std::uint32_t buildRequest(const DeviceCommand& command, std::uint8_t* buffer) = 0;
    // Judges the first `total` bytes of the reply to the request built last.
    virtual ReplyCheck checkReply(const std::uint8_t* reply, std::uint32_t total) const = 0;
    // How many more bytes the reply judged Incomplete at `total` must gain before checkReply can say
    // anything else: every total short of that is Incomplete too. 0 when the codec cannot tell.
    virtual std::uint32_t bytesBeforeVerdict(const std::uint8_t* reply, std::uint32_t total) const
    {
        (void)reply;
        (void)total;
        return 0;
    }
    // Takes a whole reply of `total` bytes to `command`. True when it is accepted (the command is done),
    // with `out` the notification to post; false keeps the command queued and posts nothing.
    virtual bool handleReply(const DeviceCommand& command, const std::uint8_t* reply, std::uint32_t total,
                             DeviceNotification& out) = 0;
};
