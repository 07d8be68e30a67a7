#pragma once

#include "device/device_command.h"

#include <cstdint>
#include <mutex>
#include <vector>

// The commands waiting for the worker, head first, each code present at most once. `busy` says that
// the head has been taken for execution and nobody has cancelled or re-requested it since; it lives
// under the same lock as the commands, which is what lets the owner cancel a command while its reply
// is being read.
class CommandQueue {
public:
    static constexpr std::uint8_t kEmpty = 0xFF;

    CommandQueue();

    // Appends the command when its code is absent; re-requesting the head clears `busy` and takes the
    // new command's cycle and parameters. True only when the queue was empty.
    bool add(const DeviceCommand& command);
    bool add(std::uint8_t code) { return add(DeviceCommand{code, 0, {}}); }
    // The head's code without removing it, marking it busy, and the head itself in `head`; kEmpty (and
    // `busy` untouched) when there is none.
    std::uint8_t takeHead(DeviceCommand& head);
    std::uint8_t takeHead();
    // Removes the head only while it is still busy.
    void removeHead();
    void removeAll();
    int getCount() const;
    bool isBusy() const;
    std::vector<std::uint8_t> snapshot() const;
    // The command at the head, if any (tests and diagnostics).
    bool peekHead(DeviceCommand& head) const;

private:
    mutable std::mutex queueLock;
    std::vector<DeviceCommand> commands;
    bool busy = false;
};
