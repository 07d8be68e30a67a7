#pragma once

#include <cstdint>
#include <string>

// Status of a call on the USB bridge, with the values of the bridge library: 0 is success.
using FtStatus = std::uint32_t;

namespace ft {
inline constexpr FtStatus kOk = 0;
inline constexpr FtStatus kInvalidHandle = 1;
inline constexpr FtStatus kDeviceNotFound = 2;
inline constexpr FtStatus kDeviceNotOpened = 3;
inline constexpr FtStatus kIoError = 4;
// Not a bridge library status: the port exists but another program holds it.
inline constexpr FtStatus kPortBusy = 0x100;
// Not a bridge library status: the port exists but this user may not open it (device permissions).
inline constexpr FtStatus kAccessDenied = 0x101;
// Not a bridge library status: "auto" found more than one FTDI bridge and does not guess which.
inline constexpr FtStatus kPortAmbiguous = 0x102;
} // namespace ft

// The link to the instrument as the worker sees it: the calls of the USB bridge library, one object per
// instrument. Only the worker thread that owns it calls it (CComThread opens it as it starts and closes
// it as it ends), so it needs no lock of its own.
class CTransport {
public:
    virtual ~CTransport() = default;

    // Opens the first bridge (or the port this transport was made for).
    virtual FtStatus open() = 0;
    virtual FtStatus close() = 0;
    // Returns what arrived until the read time-out ran out (earlier only when `room` is full), possibly
    // nothing; never stores more than `room` bytes. A `room` of 0 only checks the link.
    virtual FtStatus read(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) = 0;
    // Returns at once with what has arrived and not been read, up to `room` bytes (the bridge library's
    // receive-queue status and a read of that many bytes). A worker that waited out the read time-out
    // itself gathers with it what read() would have gathered over that time-out.
    virtual FtStatus readArrived(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) = 0;
    virtual FtStatus write(const std::uint8_t* source, std::uint32_t count, std::uint32_t& written) = 0;
    // Drops every byte received and not yet read (the bridge library's purge of its receive buffer).
    virtual FtStatus purge() = 0;
    // The most bytes that can arrive over `ms` milliseconds at the line's rate, counting what the
    // bridge may still hold back from before; UINT32_MAX when the transport cannot bound it.
    virtual std::uint32_t mostBytesWithin(double ms) const
    {
        (void)ms;
        return UINT32_MAX;
    }
    virtual FtStatus setBaudRate(std::uint32_t baud) = 0;
    // Word length in bits, stop-bit value (0: one stop bit), parity value (0: none).
    virtual FtStatus setDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity) = 0;
    virtual FtStatus setTimeouts(std::uint32_t readMs, std::uint32_t writeMs) = 0;
    // The bridge's extra configuration call made last when the device is opened (with the value 1).
    virtual FtStatus configure(std::uint32_t value) = 0;
    // The port for messages: as the user named it, or the device "auto" found.
    virtual std::string portName() const = 0;
};
