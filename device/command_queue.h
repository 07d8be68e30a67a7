#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

// The codes waiting for the worker, head first, each present at most once. `busy` says that the head
// has been taken for execution and nobody has cancelled or re-requested it since; it lives under the
// same lock as the codes, which is what lets the owner cancel a command while its reply is being read.
class CommandQueue {
public:
    static constexpr std::uint8_t kEmpty = 0xFF;

    CommandQueue();

    // Appends `code` when absent; re-requesting the head clears `busy`. True only when the queue was empty.
    bool Add(std::uint8_t code);
    // The head without removing it, marking it busy; kEmpty (and `busy` untouched) when there is none.
    std::uint8_t TakeHead();
    // Removes the head only while it is still busy.
    void RemoveHead();
    void RemoveAll();
    int GetCount() const;
    bool IsBusy() const;
    std::vector<std::uint8_t> Snapshot() const;

private:
    mutable std::mutex queueLock;
    std::vector<std::uint8_t> codes;
    bool busy = false;
};
