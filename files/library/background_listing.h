#pragma once

#include "files/library/reflectogram_listing.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Lists a reflectogram folder on a thread of its own, so a slow (network) folder never freezes the
// window. The owner starts a listing, may wait a moment for it, and takes the result on its own thread;
// the worker touches nothing but its own job. Starting another listing or cancelling forgets the one
// running: its result is never delivered.
class CBackgroundListing {
public:
    // Called on the worker thread when the listing started last has finished; never after cancel() or
    // the destructor has returned. The owner posts itself a message from here.
    using Finished = std::function<void()>;

    CBackgroundListing() = default;
    ~CBackgroundListing();
    CBackgroundListing(const CBackgroundListing&) = delete;
    CBackgroundListing& operator=(const CBackgroundListing&) = delete;

    void start(const std::string& folder, Finished finished);
    // Waits up to `timeout` for the listing started last; true when it has finished.
    bool waitFor(std::chrono::milliseconds timeout);
    // The result of the listing started last once it has finished, and only once; false before.
    bool take(std::vector<ReflectogramEntry>& entries, Status& status);
    void cancel();
    bool running() const;

private:
    struct Job;
    std::shared_ptr<Job> job;
};
