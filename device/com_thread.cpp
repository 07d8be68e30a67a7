#include "device/com_thread.h"

#include "device/notify_sink.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <system_error>

namespace {

constexpr std::uint32_t kBaudRate = 115200;

} // namespace

CComThread::CComThread(std::unique_ptr<CTransport> transport, std::unique_ptr<CDeviceCodec> codec)
    : deviceHandle(std::move(transport)), codec(std::move(codec))
{
}

CComThread::~CComThread()
{
    endThread();
    // The device outlives the thread on purpose (a reconnect reopens it); only the object's end closes it.
    if (deviceHandle)
        deviceHandle->close();
}

bool CComThread::createThread()
{
    if (worker.joinable())
        return true;
    quitRequested = false;
    std::promise<void> started;
    std::future<void> initialised = started.get_future();
    try {
        worker = std::thread([this, &started] { run(&started); });
    } catch (const std::system_error&) {
        return false;
    }
    // The device is open (or has failed to open) before the owner can queue anything: the open
    // empties the queue and would otherwise swallow a command queued right after creation.
    initialised.wait();
    return true;
}

void CComThread::endThread()
{
    if (!worker.joinable())
        return;
    quitRequested = true;
    postThreadMessage(kQuit);
    worker.join();
}

void CComThread::postThreadMessage(std::uint32_t message)
{
    {
        std::lock_guard lock(messageLock);
        messages.push_back(message);
    }
    messageArrived.notify_one();
}

std::size_t CComThread::pendingMessages() const
{
    std::lock_guard lock(messageLock);
    return messages.size();
}

void CComThread::takeMessage(std::uint32_t& message)
{
    std::unique_lock lock(messageLock);
    messageArrived.wait(lock, [this] { return !messages.empty(); });
    message = messages.front();
    messages.pop_front();
}

void CComThread::run(std::promise<void>* started)
{
    initInstance();
    started->set_value();
    for (;;) {
        std::uint32_t message = 0;
        takeMessage(message);
        if (message == kQuit)
            break;
        if (message == kRunCommands)
            onRunCommands();
    }
    exitInstance();
}

bool CComThread::initInstance()
{
    openDevice();
    return true;
}

int CComThread::exitInstance() { return 0; }

int CComThread::addCommand(const DeviceCommand& command)
{
    if (commandQueue.add(command))
        postThreadMessage(kRunCommands);
    return 0;
}

void CComThread::clearCommands() { commandQueue.removeAll(); }

std::uint32_t CComThread::beginGeneration()
{
    std::uint64_t old = lastStatus.load();
    std::uint64_t next = 0;
    do {
        next = pack(static_cast<FtStatus>(old), static_cast<std::uint32_t>(old >> 32) + 1);
    } while (!lastStatus.compare_exchange_weak(old, next));
    return static_cast<std::uint32_t>(next >> 32);
}

void CComThread::storeStatus(FtStatus status)
{
    std::uint64_t old = lastStatus.load();
    while (!lastStatus.compare_exchange_weak(old, pack(status, static_cast<std::uint32_t>(old >> 32)))) {
    }
}

bool CComThread::storeStatusOf(std::uint32_t generationSeen, FtStatus status)
{
    std::uint64_t old = lastStatus.load();
    while (static_cast<std::uint32_t>(old >> 32) == generationSeen) {
        if (lastStatus.compare_exchange_weak(old, pack(status, generationSeen)))
            return true;
    }
    return false;
}

FtStatus CComThread::lastDeviceStatus() const { return static_cast<FtStatus>(lastStatus.load()); }

std::string CComThread::portName() const { return deviceHandle ? deviceHandle->portName() : std::string(); }

FtStatus CComThread::openDevice()
{
    commandQueue.removeAll();
    beginGeneration();
    FtStatus status = deviceHandle ? deviceHandle->open() : ft::kDeviceNotFound;
    storeStatus(status);
    if (status != ft::kOk)
        return status;
    // Each status overwrites the last; only the final one is the result of the open.
    storeStatus(deviceHandle->setBaudRate(kBaudRate));
    storeStatus(deviceHandle->setDataCharacteristics(8, 0, 0));
    storeStatus(deviceHandle->setTimeouts(kReadTimeoutMs, kReadTimeoutMs));
    status = deviceHandle->configure(1);
    storeStatus(status);
    return status;
}

FtStatus CComThread::closeDevice()
{
    beginGeneration();
    const FtStatus status = deviceHandle ? deviceHandle->close() : ft::kInvalidHandle;
    storeStatus(status);
    return status;
}

bool CComThread::receiveReply(std::uint32_t connection, std::uint32_t& total)
{
    std::lock_guard lock(bufferLock);
    total = 0;
    for (;;) {
        const ReplyCheck check = codec->checkReply(ioBuffer.data(), total);
        if (check == ReplyCheck::Complete)
            return true;
        if (check == ReplyCheck::Incomplete)
            std::this_thread::sleep_for(std::chrono::milliseconds(kCompletionWaitMs));
        if (quitRequested)
            return false;
        std::uint32_t count = 0;
        const std::uint32_t room = static_cast<std::uint32_t>(kBufferSize) - total;
        const FtStatus status = deviceHandle->read(ioBuffer.data() + total, room, count);
        // Closed (and perhaps reopened) by the owner since the request went out: this reply can never
        // arrive, and the status belongs to the newer connection.
        if (generation() != connection)
            return false;
        storeStatusOf(connection, status);
        if (status != ft::kOk)
            return false;
        // A short reply is whole only when a whole read time-out passed without another byte.
        if (check == ReplyCheck::CompleteIfQuiet && count == 0)
            return true;
        total += std::min(count, room);
    }
}

void CComThread::onRunCommands()
{
    if (lastDeviceStatus() != ft::kOk)
        return;
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        DeviceCommand command;
        if (commandQueue.takeHead(command) == CommandQueue::kEmpty)
            return;

        // Nothing of an earlier command may be taken for part of this one's reply.
        ioBuffer.fill(0);
        std::uint32_t length = std::min<std::uint32_t>(codec->buildRequest(command, ioBuffer.data()), kBufferSize);
        if (length == 0) {
            commandQueue.removeHead();   // a code the protocol does not know can never be executed
            if (commandQueue.getCount() != 0)
                return;
            continue;
        }

        const std::uint32_t connection = generation();
        std::uint32_t written = 0;
        const FtStatus status = deviceHandle->write(ioBuffer.data(), length, written);
        storeStatusOf(connection, status);
        if (status != ft::kOk)
            return;

        ioBuffer.fill(0);
        std::uint32_t total = 0;
        if (!receiveReply(connection, total))
            return;

        if (!commandQueue.isBusy())
            continue;   // cancelled or re-requested while the reply was read: drop it

        DeviceNotification notification;
        notification.cycle = command.cycle;
        if (codec->handleReply(command, ioBuffer.data(), total, notification)) {
            commandQueue.removeHead();
            if (notifyWindow && notification.code != 0)
                notifyWindow->post(std::move(notification));
        }
        if (commandQueue.getCount() != 0)
            return;
    }
}
