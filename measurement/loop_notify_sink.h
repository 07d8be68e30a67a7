#pragma once

#include "device/notify_sink.h"
#include "measurement/event_loop.h"

#include <functional>

// Delivers the worker's notifications through a CEventLoop to a handler on the loop's thread.
class CLoopNotifySink : public CNotifySink {
public:
    CLoopNotifySink(CEventLoop& loop, std::function<void(int)> deliver) : loop(loop), deliver(std::move(deliver)) {}
    void post(int code) override
    {
        loop.post([this, code] { deliver(code); });
    }

private:
    CEventLoop& loop;
    std::function<void(int)> deliver;
};
