#include "device/command_queue.h"

#include <algorithm>

CommandQueue::CommandQueue()
{
    codes.reserve(256);   // at most 255 distinct codes: no allocation per command
}

bool CommandQueue::Add(std::uint8_t code)
{
    std::lock_guard lock(queueLock);
    const auto it = std::find(codes.begin(), codes.end(), code);
    if (it == codes.begin() && it != codes.end()) {
        busy = false;
        return false;
    }
    if (it != codes.end())
        return false;
    codes.push_back(code);
    return codes.size() == 1;
}

std::uint8_t CommandQueue::TakeHead()
{
    std::lock_guard lock(queueLock);
    if (codes.empty())
        return kEmpty;
    busy = true;
    return codes.front();
}

void CommandQueue::RemoveHead()
{
    std::lock_guard lock(queueLock);
    if (!codes.empty() && busy) {
        codes.erase(codes.begin());
        busy = false;
    }
}

void CommandQueue::RemoveAll()
{
    std::lock_guard lock(queueLock);
    codes.clear();
    busy = false;
}

int CommandQueue::GetCount() const
{
    std::lock_guard lock(queueLock);
    return static_cast<int>(codes.size());
}

bool CommandQueue::IsBusy() const
{
    std::lock_guard lock(queueLock);
    return busy;
}

std::vector<std::uint8_t> CommandQueue::Snapshot() const
{
    std::lock_guard lock(queueLock);
    return codes;
}
