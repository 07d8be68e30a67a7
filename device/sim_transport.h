#pragma once

#include "device/sim_instrument.h"
#include "device/transport.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

// The simulated instrument behind the transport interface (port name "sim"): requests go to a
// CSimInstrument, and its replies come back at the pace of a 115200-baud link, about 11.5 bytes per
// millisecond, after the instrument's own processing and acquisition time.
class CSimTransport : public CTransport {
public:
    static constexpr double kBytesPerMs = 115200.0 / 10.0 / 1000.0;

    explicit CSimTransport(SimOptions options = {});

    FtStatus open() override;
    FtStatus close() override;
    FtStatus read(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) override;
    FtStatus readArrived(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) override;
    FtStatus write(const std::uint8_t* source, std::uint32_t count, std::uint32_t& written) override;
    FtStatus purge() override;
    // Paced, the line's rate: one byte more for a boundary inside the span, one for a reply's start.
    std::uint32_t mostBytesWithin(double ms) const override;
    FtStatus setBaudRate(std::uint32_t baud) override;
    FtStatus setDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity) override;
    FtStatus setTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    FtStatus configure(std::uint32_t value) override;
    std::string portName() const override { return "sim"; }

private:
    using Clock = std::chrono::steady_clock;
    struct Segment {
        std::vector<std::uint8_t> bytes;
        Clock::time_point start;   // when its first byte is on the wire
        std::size_t taken = 0;
    };

    std::size_t arrivedLocked(const Segment& s, Clock::time_point now) const;
    // Moves what has arrived into `destination` (dropped when it is null), up to `room` bytes.
    std::uint32_t takeArrivedLocked(Clock::time_point now, std::uint8_t* destination, std::uint32_t room);
    Clock::duration wireTime(std::size_t bytes) const;
    void scheduleFaultLocked(Clock::time_point now);

    const SimOptions options;
    std::mutex simLock;
    std::condition_variable changed;
    CSimInstrument instrument;
    std::deque<Segment> outgoing;
    Clock::time_point lineFree{};   // when the instrument's transmitter is idle again
    bool isOpen = false;
    bool dropped = false;
    std::uint32_t readTimeoutMs = 10;
    std::vector<SimReply> replies;
    const Clock::time_point created = Clock::now();   // scheduled faults count from here, across reopens
    int scheduled = 0;
};
