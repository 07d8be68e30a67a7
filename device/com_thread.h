#pragma once

#include "device/command_queue.h"
#include "device/transport.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

// The worker thread that owns the link to the instrument and executes a queue of one-byte command
// codes, one at a time: for each code a registered builder writes the request, the worker reads the
// reply until IsResponseComplete says it is whole, and the registered handler takes it. The owner's
// thread only adds codes, clears the queue, and opens or closes the device.
class CComThread {
public:
    static constexpr std::size_t kBufferSize = 9000;
    static constexpr std::uint32_t kRunCommands = 1025;   // thread message: execute queued commands
    static constexpr std::uint32_t kQuit = 18;            // thread message: leave the message loop

    // Both take the start of the shared buffer and a length: the builder stores the request's length,
    // the handler gets the byte count of the last read. A handler returning false keeps its code queued.
    using RequestBuilder = std::function<bool(std::uint8_t* buffer, std::uint32_t& length)>;
    using ResponseHandler = std::function<bool(std::uint8_t* buffer, std::uint32_t& length)>;

    explicit CComThread(std::unique_ptr<CTransport> transport);
    virtual ~CComThread();
    CComThread(const CComThread&) = delete;
    CComThread& operator=(const CComThread&) = delete;

    // Starts the worker, waits until it has opened the device (whatever the result), and lets it run
    // its message loop; false when no thread could be created. Messages posted before arrive then.
    virtual bool CreateThread();
    // Posts the quit message and waits for the worker to end. A reply that never completes does not
    // hold it: the read loop gives up once quit is requested. Safe to call more than once.
    void EndThread();
    bool IsRunning() const { return worker.joinable(); }

    void PostThreadMessage(std::uint32_t message);
    std::size_t PendingMessages() const;

    int RegisterCommand(std::uint16_t code, RequestBuilder builder, ResponseHandler handler);
    // Queues `code`; posts kRunCommands when the queue was empty. Returns 0.
    virtual int AddCommand(std::uint8_t code);
    void ClearCommands();

    FtStatus OpenDevice();
    FtStatus CloseDevice();
    // Status of the last call on the bridge made through this object, by either thread.
    FtStatus LastStatus() const;

    // Whether the first `total` bytes of the buffer are a whole reply; the base takes any bytes.
    virtual bool IsResponseComplete(const std::uint8_t* buffer, std::uint32_t total);

    const CommandQueue& Queue() const { return commandQueue; }

protected:
    // Runs on the worker before its message loop: opens the device and carries on whatever the result.
    virtual bool InitInstance();
    virtual int ExitInstance();
    // Executes queued commands (the kRunCommands message).
    void OnRunCommands();
    // The worker's body: open, report `started`, message loop, exit.
    void Run(std::promise<void>* started);

    // Length of the whole reply handed to the handler now running (worker only).
    std::uint32_t responseTotal = 0;

private:
    // lastStatus carries the connection generation in its upper half: every open and close on the
    // owner's side starts a new generation, and a status of an older connection never overwrites it.
    static std::uint64_t pack(FtStatus status, std::uint32_t generation)
    {
        return (static_cast<std::uint64_t>(generation) << 32) | status;
    }
    std::uint32_t generation() const { return static_cast<std::uint32_t>(lastStatus.load() >> 32); }
    std::uint32_t beginGeneration();
    void storeStatus(FtStatus status);
    bool storeStatusOf(std::uint32_t generationSeen, FtStatus status);
    void takeMessage(std::uint32_t& message);

    std::mutex bufferLock;
    std::array<std::uint8_t, kBufferSize> ioBuffer{};
    std::map<std::uint16_t, RequestBuilder> builders;
    std::map<std::uint16_t, ResponseHandler> handlers;
    std::unique_ptr<CTransport> deviceHandle;
    CommandQueue commandQueue;
    std::atomic<std::uint64_t> lastStatus{0};

    mutable std::mutex messageLock;
    std::condition_variable messageArrived;
    std::deque<std::uint32_t> messages;
    std::atomic<bool> quitRequested{false};
    std::thread worker;
};
