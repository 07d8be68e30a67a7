#pragma once

#include "device/notify_sink.h"
#include "measurement/event_loop.h"

#include <functional>

// Delivers the worker's notifications through a CEventLoop to a handler on the loop's thread.
class CLoopNotifySink : public CNotifySink {
public:
    using Handler = std::function<void(const DeviceNotification&)>;
    CLoopNotifySink(CEventLoop& loop, Handler deliver) : loop(loop), deliver(std::move(deliver)) {}
    void post(DeviceNotification n) override
    {
        loop.post([this, n = std::move(n)] { deliver(n); });
    }

private:
    CEventLoop& loop;
    Handler deliver;
};
