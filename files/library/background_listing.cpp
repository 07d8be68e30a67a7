#include "files/library/background_listing.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

struct CBackgroundListing::Job {
    std::string folder;
    std::atomic<bool> cancelled{false};
    std::mutex lock;   // guards everything below and the call of `finished`
    std::condition_variable done;
    bool finished = false;
    bool taken = false;
    std::vector<ReflectogramEntry> entries;
    Status status = Status::success();
    Finished onFinished;
};

CBackgroundListing::~CBackgroundListing() { cancel(); }

void CBackgroundListing::start(const std::string& folder, Finished finished)
{
    cancel();
    auto j = std::make_shared<Job>();
    j->folder = folder;
    j->onFinished = std::move(finished);
    job = j;
    // Detached: a folder that hangs must not hold up the window when it closes; the job is shared.
    std::thread([j] {
        std::vector<ReflectogramEntry> entries;
        Status status = listReflectograms(j->folder, entries, &j->cancelled);
        std::lock_guard<std::mutex> guard(j->lock);
        if (j->cancelled)
            return;
        j->entries = std::move(entries);
        j->status = std::move(status);
        j->finished = true;
        j->done.notify_all();
        if (j->onFinished)
            j->onFinished();
    }).detach();
}

bool CBackgroundListing::waitFor(std::chrono::milliseconds timeout)
{
    if (!job)
        return false;
    std::unique_lock<std::mutex> guard(job->lock);
    return job->done.wait_for(guard, timeout, [this] { return job->finished; });
}

bool CBackgroundListing::take(std::vector<ReflectogramEntry>& entries, Status& status)
{
    if (!job)
        return false;
    std::lock_guard<std::mutex> guard(job->lock);
    if (!job->finished || job->taken)
        return false;
    job->taken = true;
    entries = std::move(job->entries);
    status = std::move(job->status);
    return true;
}

void CBackgroundListing::cancel()
{
    if (!job)
        return;
    job->cancelled = true;
    {
        // Waits for a delivery under way, so none happens after this returns.
        std::lock_guard<std::mutex> guard(job->lock);
        job->onFinished = nullptr;
    }
    job.reset();
}

bool CBackgroundListing::running() const
{
    if (!job)
        return false;
    std::lock_guard<std::mutex> guard(job->lock);
    return !job->finished;
}
