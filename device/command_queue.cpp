#include "device/command_queue.h"

#include <algorithm>

CommandQueue::CommandQueue()
{
    commands.reserve(256);   // at most 255 distinct codes: no allocation per command
}

bool CommandQueue::add(const DeviceCommand& command)
{
    std::lock_guard lock(queueLock);
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [&](const DeviceCommand& c) { return c.code == command.code; });
    if (it == commands.begin() && it != commands.end()) {
        *it = command;
        busy = false;
        return false;
    }
    if (it != commands.end())
        return false;
    commands.push_back(command);
    return commands.size() == 1;
}

std::uint8_t CommandQueue::takeHead(DeviceCommand& head)
{
    std::lock_guard lock(queueLock);
    if (commands.empty())
        return kEmpty;
    busy = true;
    head = commands.front();
    return head.code;
}

std::uint8_t CommandQueue::takeHead()
{
    DeviceCommand head;
    return takeHead(head);
}

void CommandQueue::removeHead()
{
    std::lock_guard lock(queueLock);
    if (!commands.empty() && busy) {
        commands.erase(commands.begin());
        busy = false;
    }
}

void CommandQueue::removeAll()
{
    std::lock_guard lock(queueLock);
    commands.clear();
    busy = false;
}

int CommandQueue::getCount() const
{
    std::lock_guard lock(queueLock);
    return static_cast<int>(commands.size());
}

bool CommandQueue::isBusy() const
{
    std::lock_guard lock(queueLock);
    return busy;
}

std::vector<std::uint8_t> CommandQueue::snapshot() const
{
    std::lock_guard lock(queueLock);
    std::vector<std::uint8_t> codes;
    codes.reserve(commands.size());
    for (const DeviceCommand& c : commands)
        codes.push_back(c.code);
    return codes;
}

bool CommandQueue::peekHead(DeviceCommand& head) const
{
    std::lock_guard lock(queueLock);
    if (commands.empty())
        return false;
    head = commands.front();
    return true;
}
