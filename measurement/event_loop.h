#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

// A message loop without a window system, for the command-line program and headless tests: tasks
// posted from any thread run on the thread that calls run(), in order, and so do repeating timers.
class CEventLoop {
public:
    using Task = std::function<void()>;
    using Clock = std::chrono::steady_clock;

    // Any thread.
    void post(Task task);
    void quit();

    // Loop thread only. A timer repeats every `periodMs` until killed; ids start at 1.
    int startTimer(int periodMs, std::function<void(int id)> onTimer);
    void killTimer(int id);

    // Runs tasks and timers until quit(); false when `limit` passed first.
    bool run(std::chrono::milliseconds limit = std::chrono::milliseconds::max());

private:
    struct Timer {
        Clock::time_point due;
        Clock::duration period;
        std::function<void(int)> onTimer;
    };

    std::mutex loopLock;   // guards tasks and quitting; timers belong to the loop thread
    std::condition_variable woken;
    std::deque<Task> tasks;
    bool quitting = false;
    std::map<int, Timer> timers;
    int lastTimerId = 0;
};
