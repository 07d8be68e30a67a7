#pragma once

#include "device/command_queue.h"
#include "device/device_codec.h"
#include "device/transport.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class CNotifySink;

// The worker thread that owns the link to the instrument and executes a queue of commands, one at a
// time: the codec writes the request, the worker reads the reply until the codec says it is whole, and
// the codec interprets it into a notification the worker posts to the owner. The owner's thread only
// adds commands, clears the queue, and opens or closes the device.
class CComThread {
public:
    static constexpr std::size_t kBufferSize = 9000;
    static constexpr std::uint32_t kRunCommands = 1025;   // thread message: execute queued commands
    static constexpr std::uint32_t kQuit = 18;            // thread message: leave the message loop
    static constexpr int kReadTimeoutMs = 10;
    static constexpr int kCompletionWaitMs = 20;          // wait before each read of an unfinished reply

    CComThread(std::unique_ptr<CTransport> transport, std::unique_ptr<CDeviceCodec> codec);
    virtual ~CComThread();
    CComThread(const CComThread&) = delete;
    CComThread& operator=(const CComThread&) = delete;

    // Starts the worker, waits until it has opened the device (whatever the result), and lets it run
    // its message loop; false when no thread could be created. Messages posted before arrive then.
    virtual bool createThread();
    // Posts the quit message and waits for the worker to end. A reply that never completes does not
    // hold it: the read loop gives up once quit is requested. Safe to call more than once.
    void endThread();
    bool isRunning() const { return worker.joinable(); }

    void postThreadMessage(std::uint32_t message);
    std::size_t pendingMessages() const;

    // Queues the command; posts kRunCommands when the queue was empty. Returns 0.
    virtual int addCommand(const DeviceCommand& command);
    int addCommand(std::uint8_t code) { return addCommand(DeviceCommand{code, 0, {}}); }
    void clearCommands();

    FtStatus openDevice();
    FtStatus closeDevice();
    // Status of the last call on the bridge made through this object, by either thread.
    FtStatus lastDeviceStatus() const;
    // The port the worker was made for, for messages.
    std::string portName() const;

    const CommandQueue& queue() const { return commandQueue; }

    // Where notifications go; set before the thread is created.
    CNotifySink* notifyWindow = nullptr;

protected:
    // Runs on the worker before its message loop: opens the device and carries on whatever the result.
    virtual bool initInstance();
    virtual int exitInstance();
    // Executes queued commands (the kRunCommands message).
    void onRunCommands();
    // The worker's body: open, report `started`, message loop, exit.
    void run(std::promise<void>* started);

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
    // Reads the reply into ioBuffer until the codec says it is whole; false when the link failed, the
    // connection changed or the thread is asked to quit.
    bool receiveReply(std::uint32_t connection, std::uint32_t& total);

    std::mutex bufferLock;
    std::array<std::uint8_t, kBufferSize> ioBuffer{};
    std::unique_ptr<CTransport> deviceHandle;
    std::unique_ptr<CDeviceCodec> codec;
    CommandQueue commandQueue;
    std::atomic<std::uint64_t> lastStatus{0};

    mutable std::mutex messageLock;
    std::condition_variable messageArrived;
    std::deque<std::uint32_t> messages;
    std::atomic<bool> quitRequested{false};
    std::thread worker;
};
