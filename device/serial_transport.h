#pragma once

#include "device/transport.h"

#include <chrono>

#include <string>
#include <vector>

// The instrument's USB serial bridge as a POSIX terminal: raw 8N1, no flow control, no echo and no
// translation of any byte. `port` is a device path (any terminal, a pseudo-terminal included) or
// "auto", the one USB serial port made by FTDI (vendor 0403), looked up again at every open; with more
// than one such port "auto" opens none (another bridge may be a programming cable, not the instrument).
class CSerialTransport : public CTransport {
public:
    explicit CSerialTransport(std::string port, std::string sysRoot = "/sys", std::string devRoot = "/dev");
    ~CSerialTransport() override;

    FtStatus open() override;
    FtStatus close() override;
    FtStatus read(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) override;
    FtStatus readArrived(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) override;
    FtStatus write(const std::uint8_t* source, std::uint32_t count, std::uint32_t& written) override;
    FtStatus purge() override;
    FtStatus setBaudRate(std::uint32_t baud) override;
    FtStatus setDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity) override;
    FtStatus setTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    // Sets the bridge's latency timer to `value` ms where the driver offers it; otherwise does nothing.
    FtStatus configure(std::uint32_t value) override;
    // The port as named; for "auto", with the device path last tried: "auto (/dev/ttyUSB0)".
    std::string portName() const override;

    // The device path of the open port (the bridge "auto" found), empty when closed.
    std::string openedPath() const;

private:
    // Reads until `deadline` or until `room` is full.
    FtStatus gather(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count,
                    std::chrono::steady_clock::time_point deadline);

    std::string port;
    std::string sysRoot;
    std::string devRoot;
    int fd = -1;
    std::string path;
    std::string attempted;   // the device path of the last open, successful or not
    std::uint32_t readTimeoutMs = 10;
    std::uint32_t writeTimeoutMs = 10;
};

// A USB serial port whose USB vendor id is 0403, with what its USB device says of itself (either may be
// empty).
struct FtdiPort {
    std::string path;
    std::string product;
    std::string serial;
    bool operator==(const FtdiPort&) const = default;
};

// Every USB serial port whose USB vendor id is 0403, in name order.
std::vector<FtdiPort> ftdiPorts(const std::string& sysRoot = "/sys", const std::string& devRoot = "/dev");
