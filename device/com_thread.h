#pragma once

#include "device/command_queue.h"
#include "device/device_codec.h"
#include "device/transport.h"

#include <array>
#include <atomic>
#include <chrono>
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
// the codec interprets it into a notification the worker posts to the owner. Only the worker touches
// the port: it opens it when it starts and closes it when it ends, so the owner reconnects by ending
// the worker and starting it again. The owner's thread only adds and clears commands.
class CComThread {
public:
    static constexpr std::size_t kBufferSize = 9000;
    static constexpr std::uint32_t kRunCommands = 1025;   // thread message: execute queued commands
    static constexpr std::uint32_t kQuit = 18;            // thread message: leave the message loop
    static constexpr int kReadTimeoutMs = 10;
    static constexpr int kCompletionWaitMs = 20;          // wait before each read of an unfinished reply
    // A reply that was not cleanly framed is followed by this long a quiet line before the next request,
    // however long the instrument keeps sending (up to kDrainLimitMs).
    static constexpr int kDrainQuietMs = 100;
    static constexpr int kDrainLimitMs = 1000;

    CComThread(std::unique_ptr<CTransport> transport, std::unique_ptr<CDeviceCodec> codec);
    virtual ~CComThread();
    CComThread(const CComThread&) = delete;
    CComThread& operator=(const CComThread&) = delete;

    // Starts the worker, waits until it has opened the device (whatever the result), and lets it run
    // its message loop; false when no thread could be created. Messages posted before arrive then.
    virtual bool createThread();
    // Asks the worker to quit ahead of everything queued and waits for it: a reply being read is given
    // up. The worker closes the device as it ends; returns the status of that close (the bridge's
    // invalid-handle status when no worker ran). Safe to call more than once.
    virtual FtStatus endThread();
    bool isRunning() const { return worker.joinable(); }

    // kRunCommands is posted only when none is waiting; kQuit goes ahead of every waiting message.
    void postThreadMessage(std::uint32_t message);
    std::size_t pendingMessages() const;

    // Queues the command; posts kRunCommands when the queue was empty. Returns 0.
    virtual int addCommand(const DeviceCommand& command);
    int addCommand(std::uint8_t code) { return addCommand(DeviceCommand{code, 0, {}}); }
    void clearCommands();

    // Status of the last call the worker made on the bridge.
    FtStatus lastDeviceStatus() const { return lastStatus.load(); }
    // The port the worker was made for (for "auto", the device it found), for messages. Named when the
    // worker opens the device, which is before createThread returns.
    std::string portName() const { return port; }

    const CommandQueue& queue() const { return commandQueue; }

    // Where notifications go; set before the thread is created.
    CNotifySink* notifyWindow = nullptr;

protected:
    // Runs on the worker before its message loop: opens the device and carries on whatever the result.
    virtual bool initInstance();
    // Runs on the worker after its message loop: closes the device.
    virtual int exitInstance();
    // Executes queued commands (the kRunCommands message) until none is left.
    void onRunCommands();
    // The worker's body: open, report `started`, message loop, exit.
    void run(std::promise<void>* started);
    // The device calls, on the worker only (or before any worker runs).
    FtStatus openDevice();
    FtStatus closeDevice();

private:
    enum class Receipt { Whole, NotFramed, GivenUp, LinkFailed };
    void takeMessage(std::uint32_t& message);
    // Reads the reply into ioBuffer until the codec says it is whole.
    Receipt receiveReply(std::uint32_t& total);
    using Clock = std::chrono::steady_clock;
    static constexpr auto kCompletionWait = std::chrono::milliseconds(kCompletionWaitMs);
    static constexpr auto kReadTimeout = std::chrono::milliseconds(kReadTimeoutMs);
    static constexpr int kMaxReadRounds = 100;
    // The rounds of completion wait and read time-out, the first ending its wait at `pauseEnd`, after
    // which a reply still `missing` bytes (0: unknown) since `lastRead` may be whole: the line's rate
    // cannot bring them sooner.
    int readRounds(std::uint32_t missing, Clock::time_point lastRead, Clock::time_point pauseEnd) const;
    // Waits out `rounds` rounds of completion wait and read time-out, the first wait ending at
    // `pauseEnd`. False, at the end of a completion wait, when the reply became unwanted.
    bool pauseForReply(Clock::time_point pauseEnd, int rounds);
    // Wakes a worker in pauseForReply to look whether the reply is still wanted.
    void wakePausedWorker();
    // With the queue empty, a run message posted for commands the worker has already executed would
    // only make it pause once more for nothing.
    void dropIdleRunMessage();
    // Reads and drops whatever still arrives until the line has been quiet for kDrainQuietMs.
    bool drainLine();
    // The command being executed was cancelled or re-requested, or the worker is asked to quit.
    bool replyUnwanted() const { return quitRequested || !commandQueue.isBusy(); }

    std::array<std::uint8_t, kBufferSize> ioBuffer{};
    std::array<std::uint8_t, 1024> drainBuffer{};
    std::unique_ptr<CTransport> deviceHandle;
    std::unique_ptr<CDeviceCodec> codec;
    CommandQueue commandQueue;
    std::atomic<FtStatus> lastStatus{0};
    FtStatus closeStatus = ft::kInvalidHandle;   // written by the worker as it ends, read after the join
    std::string port;

    mutable std::mutex messageLock;
    std::condition_variable messageArrived;
    std::deque<std::uint32_t> messages;
    bool pausing = false;   // the worker waits in pauseForReply
    std::atomic<bool> quitRequested{false};
    std::thread worker;
};
