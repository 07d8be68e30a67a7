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
    if (deviceHandle)
        port = deviceHandle->portName();
}

CComThread::~CComThread()
{
    endThread();
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

FtStatus CComThread::endThread()
{
    if (!worker.joinable())
        return ft::kInvalidHandle;
    quitRequested = true;
    postThreadMessage(kQuit);
    worker.join();
    {
        // A fresh worker starts with nothing left over from this one.
        std::lock_guard lock(messageLock);
        messages.clear();
    }
    return closeStatus;
}

void CComThread::postThreadMessage(std::uint32_t message)
{
    {
        std::lock_guard lock(messageLock);
        if (message == kQuit) {
            messages.push_front(message);
        } else {
            // One waiting kRunCommands already makes the worker run the whole queue.
            if (message == kRunCommands && std::find(messages.begin(), messages.end(), kRunCommands) != messages.end())
                return;
            messages.push_back(message);
        }
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

int CComThread::exitInstance()
{
    closeStatus = closeDevice();
    return 0;
}

int CComThread::addCommand(const DeviceCommand& command)
{
    if (commandQueue.add(command))
        postThreadMessage(kRunCommands);
    else
        wakePausedWorker();   // a re-requested head makes the reply being read unwanted
    return 0;
}

void CComThread::clearCommands()
{
    commandQueue.removeAll();
    wakePausedWorker();
}

void CComThread::dropIdleRunMessage()
{
    // Checked under the message lock: a command queued after the check posts its run message after
    // this, and one queued before it keeps the message (a head left by a rejected reply too).
    std::lock_guard lock(messageLock);
    if (commandQueue.getCount() == 0)
        messages.erase(std::remove(messages.begin(), messages.end(), kRunCommands), messages.end());
}

void CComThread::wakePausedWorker()
{
    // Taken after the queue changed: a worker about to wait sees the change or gets the wake-up.
    std::lock_guard lock(messageLock);
    if (pausing)
        messageArrived.notify_one();
}

FtStatus CComThread::openDevice()
{
    commandQueue.removeAll();
    FtStatus status = deviceHandle ? deviceHandle->open() : ft::kDeviceNotFound;
    if (deviceHandle)
        port = deviceHandle->portName();
    lastStatus = status;
    if (status != ft::kOk)
        return status;
    // Each status overwrites the last; only the final one is the result of the open.
    lastStatus = deviceHandle->setBaudRate(kBaudRate);
    lastStatus = deviceHandle->setDataCharacteristics(8, 0, 0);
    lastStatus = deviceHandle->setTimeouts(kReadTimeoutMs, kReadTimeoutMs);
    status = deviceHandle->configure(1);
    lastStatus = status;
    return status;
}

FtStatus CComThread::closeDevice()
{
    const FtStatus status = deviceHandle ? deviceHandle->close() : ft::kInvalidHandle;
    lastStatus = status;
    return status;
}

CComThread::Receipt CComThread::receiveReply(std::uint32_t& total)
{
    total = 0;
    auto lastRead = Clock::now();   // every byte that arrived before this has been read
    for (;;) {
        const ReplyCheck check = codec->checkReply(ioBuffer.data(), total);
        if (check == ReplyCheck::Complete)
            return Receipt::Whole;
        if (check == ReplyCheck::Overlong)
            return Receipt::NotFramed;
        std::uint32_t count = 0;
        const std::uint32_t room = static_cast<std::uint32_t>(kBufferSize) - total;
        FtStatus status = ft::kOk;
        if (check == ReplyCheck::Incomplete) {
            // The completion wait and the read time-out after it pass as one wait, so the worker wakes
            // once per read: what has arrived by its end is what a read over the time-out gathers.
            // Reads that would certainly find the reply still Incomplete are waited through as well.
            const auto pauseEnd = Clock::now() + kCompletionWait;
            const int rounds = readRounds(codec->bytesBeforeVerdict(ioBuffer.data(), total), lastRead, pauseEnd);
            if (!pauseForReply(pauseEnd, rounds))
                return Receipt::GivenUp;
            lastRead = Clock::now();
            status = deviceHandle->readArrived(ioBuffer.data() + total, room, count);
        } else {
            if (replyUnwanted())
                return Receipt::GivenUp;
            lastRead = Clock::now();
            status = deviceHandle->read(ioBuffer.data() + total, room, count);
        }
        lastStatus = status;
        if (status != ft::kOk)
            return Receipt::LinkFailed;
        // A short reply is whole only when a whole read time-out passed without another byte; even then
        // the rest of a reply that merely paused may still come.
        if (check == ReplyCheck::CompleteIfQuiet && count == 0)
            return Receipt::NotFramed;
        total += std::min(count, room);
    }
}

int CComThread::readRounds(std::uint32_t missing, Clock::time_point lastRead, Clock::time_point pauseEnd) const
{
    if (missing == 0)
        return 1;
    int rounds = 1;
    auto readEnd = pauseEnd + kReadTimeout;
    // Bounded, as the line's rate grows the bytes that may have come without limit.
    while (rounds < kMaxReadRounds) {
        const double ms = std::chrono::duration<double, std::milli>(readEnd - lastRead).count();
        if (deviceHandle->mostBytesWithin(ms) >= missing)
            break;
        ++rounds;
        readEnd += kCompletionWait + kReadTimeout;
    }
    return rounds;
}

bool CComThread::pauseForReply(Clock::time_point pauseEnd, int rounds)
{
    const auto round = kCompletionWait + kReadTimeout;
    const auto readEnd = pauseEnd + kReadTimeout + round * (rounds - 1);
    std::unique_lock lock(messageLock);
    pausing = true;
    for (;;) {
        const auto now = Clock::now();
        if (now >= readEnd)
            break;
        if (replyUnwanted()) {
            // Cancelled, re-requested or quitting: a worker reading round by round notices it at the end
            // of the completion wait it is in, or of the next one while it reads; the next request goes
            // out no sooner than then. Noticed during the last read, that read is still made.
            auto giveUp = pauseEnd;
            while (giveUp <= now)
                giveUp += round;
            if (giveUp < readEnd) {
                pausing = false;
                lock.unlock();
                std::this_thread::sleep_until(giveUp);
                return false;
            }
        }
        messageArrived.wait_until(lock, readEnd);
    }
    pausing = false;
    return true;
}

bool CComThread::drainLine()
{
    const auto limit = Clock::now() + std::chrono::milliseconds(kDrainLimitMs);
    auto quietSince = Clock::now();
    while (Clock::now() - quietSince < std::chrono::milliseconds(kDrainQuietMs) && Clock::now() < limit) {
        if (quitRequested)
            return false;
        std::uint32_t count = 0;
        const FtStatus status = deviceHandle->read(drainBuffer.data(), static_cast<std::uint32_t>(drainBuffer.size()), count);
        lastStatus = status;
        if (status != ft::kOk)
            return false;
        if (count != 0)
            quietSince = Clock::now();
    }
    return true;
}

void CComThread::onRunCommands()
{
    while (lastDeviceStatus() == ft::kOk && !quitRequested) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        DeviceCommand command;
        if (commandQueue.takeHead(command) == CommandQueue::kEmpty) {
            dropIdleRunMessage();
            return;
        }

        // Nothing of an earlier command may be taken for part of this one's reply.
        ioBuffer.fill(0);
        std::uint32_t length = std::min<std::uint32_t>(codec->buildRequest(command, ioBuffer.data()), kBufferSize);
        if (length == 0) {
            commandQueue.removeHead();   // a code the protocol does not know can never be executed
            continue;
        }

        // Whatever arrived since the last reply (a late byte, the tail of a reply given up) is not part
        // of the next one.
        if ((lastStatus = deviceHandle->purge()) != ft::kOk)
            return;
        std::uint32_t written = 0;
        if ((lastStatus = deviceHandle->write(ioBuffer.data(), length, written)) != ft::kOk)
            return;

        ioBuffer.fill(0);
        std::uint32_t total = 0;
        const Receipt receipt = receiveReply(total);
        if (receipt == Receipt::LinkFailed)
            return;
        if (receipt == Receipt::GivenUp)
            continue;   // cancelled or re-requested while the reply was read: the next head goes out
        if (receipt == Receipt::NotFramed && !drainLine())
            return;
        if (!commandQueue.isBusy())
            continue;

        DeviceNotification notification;
        notification.cycle = command.cycle;
        if (!codec->handleReply(command, ioBuffer.data(), total, notification))
            return;   // a rejected reply keeps its command at the head, not sent again by itself
        commandQueue.removeHead();
        if (notifyWindow && notification.code != 0)
            notifyWindow->post(std::move(notification));
    }
}
