#include "measurement/event_loop.h"

void CEventLoop::post(Task task)
{
    {
        std::lock_guard lock(loopLock);
        tasks.push_back(std::move(task));
    }
    woken.notify_one();
}

void CEventLoop::quit()
{
    {
        std::lock_guard lock(loopLock);
        quitting = true;
    }
    woken.notify_one();
}

int CEventLoop::startTimer(int periodMs, std::function<void(int)> onTimer)
{
    const auto period = std::chrono::milliseconds(periodMs > 0 ? periodMs : 1);
    timers[++lastTimerId] = Timer{Clock::now() + period, period, std::move(onTimer)};
    return lastTimerId;
}

void CEventLoop::killTimer(int id) { timers.erase(id); }

bool CEventLoop::run(std::chrono::milliseconds limit)
{
    const auto end = limit == std::chrono::milliseconds::max() ? Clock::time_point::max() : Clock::now() + limit;
    for (;;) {
        Task task;
        {
            std::unique_lock lock(loopLock);
            auto wake = end;
            for (const auto& [id, timer] : timers)
                wake = std::min(wake, timer.due);
            const auto ready = [&] { return quitting || !tasks.empty() || Clock::now() >= wake; };
            if (wake == Clock::time_point::max())
                woken.wait(lock, ready);
            else
                woken.wait_until(lock, wake, ready);
            if (quitting) {
                quitting = false;
                return true;
            }
            if (!tasks.empty()) {
                task = std::move(tasks.front());
                tasks.pop_front();
            }
        }
        if (task) {
            task();
            continue;
        }
        const auto now = Clock::now();
        int dueId = 0;
        for (auto& [id, timer] : timers) {
            if (timer.due <= now) {
                dueId = id;
                break;
            }
        }
        if (dueId != 0) {
            Timer& timer = timers[dueId];
            timer.due = now + timer.period;
            const auto onTimer = timer.onTimer;   // the handler may kill its own timer
            onTimer(dueId);
            continue;
        }
        if (now >= end)
            return false;
    }
}
