#include "device/sim_transport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

CSimTransport::CSimTransport(SimOptions options) : options(options), instrument(options) {}

CSimTransport::Clock::duration CSimTransport::wireTime(std::size_t bytes) const
{
    if (!options.paced)
        return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(bytes / kBytesPerMs));
}

FtStatus CSimTransport::open()
{
    std::lock_guard lock(simLock);
    isOpen = true;
    dropped = false;
    outgoing.clear();
    instrument.reset();
    lineFree = Clock::now();
    changed.notify_all();
    return ft::kOk;
}

FtStatus CSimTransport::close()
{
    std::lock_guard lock(simLock);
    if (!isOpen)
        return ft::kInvalidHandle;
    isOpen = false;
    outgoing.clear();
    changed.notify_all();
    return ft::kOk;
}

// Bytes of segment `s` that are on the computer's side by `now` and not yet read.
std::size_t CSimTransport::arrivedLocked(const Segment& s, Clock::time_point now) const
{
    if (now < s.start)
        return 0;
    std::size_t onWire = s.bytes.size();
    if (options.paced) {
        const double ms = std::chrono::duration<double, std::milli>(now - s.start).count();
        onWire = std::min(onWire, static_cast<std::size_t>(std::floor(ms * kBytesPerMs)));
    }
    return onWire > s.taken ? onWire - s.taken : 0;
}

std::uint32_t CSimTransport::takeArrivedLocked(Clock::time_point now, std::uint8_t* destination, std::uint32_t room)
{
    std::uint32_t count = 0;
    while (count < room && !outgoing.empty()) {
        Segment& s = outgoing.front();
        const std::size_t n = std::min<std::size_t>(arrivedLocked(s, now), room - count);
        if (destination)
            std::memcpy(destination + count, s.bytes.data() + s.taken, n);
        s.taken += n;
        count += static_cast<std::uint32_t>(n);
        if (s.taken < s.bytes.size())
            break;   // the next reply is not on the wire before this one has ended
        outgoing.pop_front();
    }
    return count;
}

// As the bridge library's read: what arrived by the end of the read time-out, or less time when the
// room is full.
FtStatus CSimTransport::read(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count)
{
    count = 0;
    std::unique_lock lock(simLock);
    if (!isOpen)
        return ft::kInvalidHandle;
    const auto deadline = Clock::now() + std::chrono::milliseconds(readTimeoutMs);
    for (;;) {
        if (!isOpen || dropped)
            return ft::kIoError;   // closed while this read waited, or the link failed
        const auto now = Clock::now();
        count += takeArrivedLocked(now, destination + count, room - count);
        if (count == room || now >= deadline)
            return ft::kOk;
        changed.wait_until(lock, deadline);
    }
}

FtStatus CSimTransport::readArrived(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count)
{
    count = 0;
    std::lock_guard lock(simLock);
    if (!isOpen)
        return ft::kInvalidHandle;
    if (dropped)
        return ft::kIoError;
    count = takeArrivedLocked(Clock::now(), destination, room);
    return ft::kOk;
}

std::uint32_t CSimTransport::mostBytesWithin(double ms) const
{
    if (!options.paced)
        return UINT32_MAX;
    return static_cast<std::uint32_t>(std::clamp(ms, 0.0, 1e8) * kBytesPerMs) + 2;
}

// Drops what has reached the computer's side; the rest of a reply still on the wire comes on.
FtStatus CSimTransport::purge()
{
    std::lock_guard lock(simLock);
    if (!isOpen)
        return ft::kInvalidHandle;
    if (dropped)
        return ft::kIoError;
    takeArrivedLocked(Clock::now(), nullptr, std::numeric_limits<std::uint32_t>::max());
    return ft::kOk;
}

// A fault falls due every schedule period; it waits for the instrument to take it (the next data
// request), so none is lost while the link is down.
void CSimTransport::scheduleFaultLocked(Clock::time_point now)
{
    if (options.schedulePeriodMs <= 0)
        return;
    const auto due = created + std::chrono::milliseconds(options.schedulePeriodMs) * (scheduled + 1);
    constexpr int kKinds = static_cast<int>(std::size(kScheduledFaults));
    if (now >= due && instrument.injectFault(kScheduledFaults[scheduled % kKinds]))
        ++scheduled;
}

FtStatus CSimTransport::write(const std::uint8_t* source, std::uint32_t count, std::uint32_t& written)
{
    written = 0;
    std::lock_guard lock(simLock);
    if (!isOpen)
        return ft::kInvalidHandle;
    if (dropped)
        return ft::kIoError;

    const auto now = Clock::now();
    const auto received = now + wireTime(count);   // the request's last byte reaches the instrument
    replies.clear();
    scheduleFaultLocked(now);
    instrument.receive(source, count, replies);
    written = count;

    for (SimReply& reply : replies) {
        if (reply.drop) {
            dropped = true;
            outgoing.clear();
            break;
        }
        if (reply.bytes.empty())
            continue;
        auto processing = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double, std::milli>(options.paced ? reply.processingMs : 0.0));
        auto start = std::max(received + processing, lineFree);
        lineFree = start + wireTime(reply.bytes.size());
        outgoing.push_back(Segment{std::move(reply.bytes), start, 0});
    }
    changed.notify_all();
    return ft::kOk;
}

FtStatus CSimTransport::setBaudRate(std::uint32_t)
{
    std::lock_guard lock(simLock);
    return isOpen ? ft::kOk : ft::kInvalidHandle;
}

FtStatus CSimTransport::setDataCharacteristics(std::uint8_t, std::uint8_t, std::uint8_t)
{
    std::lock_guard lock(simLock);
    return isOpen ? ft::kOk : ft::kInvalidHandle;
}

FtStatus CSimTransport::setTimeouts(std::uint32_t readMs, std::uint32_t)
{
    std::lock_guard lock(simLock);
    if (!isOpen)
        return ft::kInvalidHandle;
    readTimeoutMs = readMs;
    return ft::kOk;
}

FtStatus CSimTransport::configure(std::uint32_t)
{
    std::lock_guard lock(simLock);
    return isOpen ? ft::kOk : ft::kInvalidHandle;
}
