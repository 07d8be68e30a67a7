#pragma once

#include "device/transport.h"

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>

// A transport that passes every call to another one and writes what crossed the link to `out`, one
// line per event with the local time to the microsecond: "12:04:05.123456 > 5A 02" for a request,
// "< 3A 4F 4B 01 00" for bytes received, and the opens, closes and failed calls with their status.
// Long transfers continue on indented lines of 32 bytes. Reads that brought nothing are not shown.
class CTracingTransport : public CTransport {
public:
    static constexpr std::size_t kBytesPerLine = 32;

    CTracingTransport(std::unique_ptr<CTransport> inner, std::ostream& out);

    FtStatus open() override;
    FtStatus close() override;
    FtStatus read(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) override;
    FtStatus readArrived(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) override;
    FtStatus write(const std::uint8_t* source, std::uint32_t count, std::uint32_t& written) override;
    FtStatus purge() override;
    std::uint32_t mostBytesWithin(double ms) const override { return inner->mostBytesWithin(ms); }
    FtStatus setBaudRate(std::uint32_t baud) override;
    FtStatus setDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity) override;
    FtStatus setTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    FtStatus configure(std::uint32_t value) override;
    std::string portName() const override { return inner->portName(); }

private:
    // Writes one event whole, so the lines of two threads never interleave.
    void emit(const std::string& text);
    void emitBytes(char direction, const std::uint8_t* bytes, std::uint32_t count, const std::string& note);
    FtStatus traced(const char* call, FtStatus status);

    std::unique_ptr<CTransport> inner;
    std::ostream& out;
    std::mutex outLock;
};
