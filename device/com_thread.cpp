#include "device/com_thread.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <system_error>

namespace {

constexpr std::uint32_t kBaudRate = 115200;
constexpr std::uint32_t kTimeoutMs = 10;

} // namespace

CComThread::CComThread(std::unique_ptr<CTransport> transport) : deviceHandle(std::move(transport)) {}

CComThread::~CComThread()
{
    EndThread();
    // The device outlives the thread on purpose (a reconnect reopens it); only the object's end closes it.
    if (deviceHandle)
        deviceHandle->close();
}

bool CComThread::CreateThread()
{
    if (worker.joinable())
        return true;
    quitRequested = false;
    std::promise<void> started;
    std::future<void> initialised = started.get_future();
    try {
        worker = std::thread([this, &started] { Run(&started); });
    } catch (const std::system_error&) {
        return false;
    }
    // The device is open (or has failed to open) before the owner can queue anything: the open
    // empties the queue and would otherwise swallow a command queued right after creation.
    initialised.wait();
    return true;
}

void CComThread::EndThread()
{
    if (!worker.joinable())
        return;
    quitRequested = true;
    PostThreadMessage(kQuit);
    worker.join();
}

void CComThread::PostThreadMessage(std::uint32_t message)
{
    {
        std::lock_guard lock(messageLock);
        messages.push_back(message);
    }
    messageArrived.notify_one();
}

std::size_t CComThread::PendingMessages() const
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

void CComThread::Run(std::promise<void>* started)
{
    InitInstance();
    started->set_value();
    for (;;) {
        std::uint32_t message = 0;
        takeMessage(message);
        if (message == kQuit)
            break;
        if (message == kRunCommands)
            OnRunCommands();
    }
    ExitInstance();
}

bool CComThread::InitInstance()
{
    OpenDevice();
    return true;
}

int CComThread::ExitInstance() { return 0; }

int CComThread::RegisterCommand(std::uint16_t code, RequestBuilder builder, ResponseHandler handler)
{
    builders[code] = std::move(builder);
    handlers[code] = std::move(handler);
    return 1;
}

int CComThread::AddCommand(std::uint8_t code)
{
    if (commandQueue.Add(code))
        PostThreadMessage(kRunCommands);
    return 0;
}

void CComThread::ClearCommands() { commandQueue.RemoveAll(); }

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

FtStatus CComThread::LastStatus() const { return static_cast<FtStatus>(lastStatus.load()); }

FtStatus CComThread::OpenDevice()
{
    commandQueue.RemoveAll();
    beginGeneration();
    FtStatus status = deviceHandle ? deviceHandle->open() : ft::kDeviceNotFound;
    storeStatus(status);
    if (status != ft::kOk)
        return status;
    // Each status overwrites the last; only the final one is the result of the open.
    storeStatus(deviceHandle->setBaudRate(kBaudRate));
    storeStatus(deviceHandle->setDataCharacteristics(8, 0, 0));
    storeStatus(deviceHandle->setTimeouts(kTimeoutMs, kTimeoutMs));
    status = deviceHandle->configure(1);
    storeStatus(status);
    return status;
}

FtStatus CComThread::CloseDevice()
{
    beginGeneration();
    const FtStatus status = deviceHandle ? deviceHandle->close() : ft::kInvalidHandle;
    storeStatus(status);
    return status;
}

bool CComThread::IsResponseComplete(const std::uint8_t*, std::uint32_t total) { return total != 0; }

void CComThread::OnRunCommands()
{
    if (LastStatus() != ft::kOk)
        return;
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const std::uint8_t code = commandQueue.TakeHead();
        if (code == CommandQueue::kEmpty)
            return;

        const auto builder = builders.find(code);
        const auto handler = handlers.find(code);
        if (builder == builders.end() || handler == handlers.end()) {
            commandQueue.RemoveHead();   // a code nobody registered can never be executed
            if (commandQueue.GetCount() != 0)
                return;
            continue;
        }

        std::uint32_t length = 0;
        builder->second(ioBuffer.data(), length);
        length = std::min<std::uint32_t>(length, kBufferSize);

        const std::uint32_t connection = generation();
        std::uint32_t written = 0;
        FtStatus status = deviceHandle->write(ioBuffer.data(), length, written);
        storeStatusOf(connection, status);
        if (status != ft::kOk)
            return;

        std::uint32_t total = 0;
        std::uint32_t chunk = 0;
        ioBuffer[0] = 0;
        ioBuffer[1] = 0;
        {
            std::lock_guard lock(bufferLock);
            while (!IsResponseComplete(ioBuffer.data(), total)) {
                if (quitRequested)
                    return;
                std::uint32_t count = 0;
                const std::uint32_t room = static_cast<std::uint32_t>(kBufferSize) - total;
                status = deviceHandle->read(ioBuffer.data() + total, room, count);
                // Closed (and perhaps reopened) by the owner since the request went out: this reply
                // can never arrive, and the status belongs to the newer connection.
                if (generation() != connection)
                    return;
                storeStatusOf(connection, status);
                if (status != ft::kOk)
                    return;
                count = std::min(count, room);
                total += count;
                chunk = count;
            }
        }

        if (!commandQueue.IsBusy())
            continue;   // cancelled or re-requested while the reply was read: drop it

        responseTotal = total;
        if (handler->second(ioBuffer.data(), chunk))
            commandQueue.RemoveHead();
        if (commandQueue.GetCount() != 0)
            return;
    }
}
