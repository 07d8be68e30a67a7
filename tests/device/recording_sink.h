#pragma once

#include "device/notify_sink.h"

#include <mutex>
#include <vector>

// Collects the worker's notifications for a test to look at from its own thread.
class CRecordingSink : public CNotifySink {
public:
    void post(DeviceNotification n) override
    {
        std::lock_guard lock(sinkLock);
        codes.push_back(n.code);
        all.push_back(std::move(n));
    }
    std::vector<int> received() const
    {
        std::lock_guard lock(sinkLock);
        return codes;
    }
    std::vector<DeviceNotification> notifications() const
    {
        std::lock_guard lock(sinkLock);
        return all;
    }

private:
    mutable std::mutex sinkLock;
    std::vector<int> codes;
    std::vector<DeviceNotification> all;
};
