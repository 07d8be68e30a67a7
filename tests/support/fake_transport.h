#pragma once

#include "device/transport.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Waits (without timing anything) until `done` holds; false after a generous limit, so a broken
// test fails instead of hanging.
inline bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A transport the test scripts: each read returns one queued chunk, standing for what arrived during
// that read's time-out (or nothing after a short wait),
// each write is recorded and may queue its reply at once. Safe across the worker and the test thread.
class CFakeTransport : public CTransport {
public:
    // The reply chunks for a request; empty when the test feeds the reply itself.
    std::function<std::vector<Bytes>(const Bytes& request)> onRequest;

    void push(Bytes chunk)
    {
        std::lock_guard lock(fakeLock);
        chunks.push_back(std::move(chunk));
        changed.notify_all();
    }
    void setOpenStatus(FtStatus s) { std::lock_guard lock(fakeLock); openResult = s; }
    void queueCloseStatus(FtStatus s) { std::lock_guard lock(fakeLock); closeResults.push_back(s); }
    void failNextWrite(FtStatus s) { std::lock_guard lock(fakeLock); writeFailure = s; }

    std::vector<Bytes> requests() const { std::lock_guard lock(fakeLock); return written; }
    std::size_t requestCount() const { std::lock_guard lock(fakeLock); return written.size(); }
    int readCount() const { std::lock_guard lock(fakeLock); return reads; }
    std::size_t pendingBytes() const
    {
        std::lock_guard lock(fakeLock);
        std::size_t n = 0;
        for (const Bytes& c : chunks)
            n += c.size();
        return n;
    }
    int failedReads() const { std::lock_guard lock(fakeLock); return readFailures; }
    std::vector<std::string> calls() const { std::lock_guard lock(fakeLock); return log; }
    bool isOpen() const { std::lock_guard lock(fakeLock); return opened; }
    std::size_t purgedChunks() const { std::lock_guard lock(fakeLock); return purged; }

    FtStatus open() override
    {
        std::lock_guard lock(fakeLock);
        log.push_back("open");
        opened = openResult == ft::kOk;
        chunks.clear();
        return openResult;
    }
    FtStatus close() override
    {
        std::lock_guard lock(fakeLock);
        log.push_back("close");
        FtStatus s = ft::kOk;
        if (!closeResults.empty()) {
            s = closeResults.front();
            closeResults.pop_front();
        }
        if (s == ft::kOk)
            opened = false;
        changed.notify_all();
        return s;
    }
    FtStatus read(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) override
    {
        count = 0;
        std::unique_lock lock(fakeLock);
        ++reads;
        changed.wait_for(lock, std::chrono::milliseconds(readWaitMs), [this] { return !opened || !chunks.empty(); });
        if (!opened) {
            ++readFailures;
            return ft::kInvalidHandle;
        }
        if (chunks.empty() || room == 0)
            return ft::kOk;
        Bytes& head = chunks.front();
        const std::size_t n = std::min<std::size_t>(head.size(), room);
        std::copy_n(head.begin(), n, destination);
        head.erase(head.begin(), head.begin() + static_cast<std::ptrdiff_t>(n));
        if (head.empty())
            chunks.pop_front();
        count = static_cast<std::uint32_t>(n);
        return ft::kOk;
    }
    // A chunk stands for what arrived over a whole read time-out however it is read.
    FtStatus readArrived(std::uint8_t* destination, std::uint32_t room, std::uint32_t& count) override
    {
        return read(destination, room, count);
    }
    FtStatus write(const std::uint8_t* source, std::uint32_t count, std::uint32_t& done) override
    {
        done = 0;
        std::function<std::vector<Bytes>(const Bytes&)> script;
        Bytes request(source, source + count);
        {
            std::lock_guard lock(fakeLock);
            if (!opened)
                return ft::kInvalidHandle;
            if (writeFailure != ft::kOk) {
                const FtStatus s = writeFailure;
                writeFailure = ft::kOk;
                return s;
            }
            written.push_back(request);
            script = onRequest;
        }
        done = count;
        if (script)
            for (Bytes& chunk : script(request))
                push(std::move(chunk));
        return ft::kOk;
    }
    FtStatus purge() override
    {
        std::lock_guard lock(fakeLock);
        if (!opened)
            return ft::kInvalidHandle;
        purged += chunks.size();
        chunks.clear();
        return ft::kOk;
    }
    FtStatus setBaudRate(std::uint32_t baud) override { return note("baud " + std::to_string(baud)); }
    FtStatus setDataCharacteristics(std::uint8_t w, std::uint8_t s, std::uint8_t p) override
    {
        return note("data " + std::to_string(w) + " " + std::to_string(s) + " " + std::to_string(p));
    }
    FtStatus setTimeouts(std::uint32_t r, std::uint32_t w) override
    {
        return note("timeouts " + std::to_string(r) + " " + std::to_string(w));
    }
    FtStatus configure(std::uint32_t value) override { return note("configure " + std::to_string(value)); }
    std::string portName() const override { return "fake"; }

    int readWaitMs = 5;

private:
    FtStatus note(std::string call)
    {
        std::lock_guard lock(fakeLock);
        log.push_back(std::move(call));
        return opened ? ft::kOk : ft::kInvalidHandle;
    }

    mutable std::mutex fakeLock;
    std::condition_variable changed;
    std::deque<Bytes> chunks;
    std::vector<Bytes> written;
    std::vector<std::string> log;
    std::deque<FtStatus> closeResults;
    FtStatus openResult = ft::kOk;
    FtStatus writeFailure = ft::kOk;
    bool opened = false;
    int reads = 0;
    int readFailures = 0;
    std::size_t purged = 0;
};
