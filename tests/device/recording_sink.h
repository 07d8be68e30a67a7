#pragma once

#include "device/notify_sink.h"

#include <mutex>
#include <vector>

// Collects the worker's notifications for a test to look at from its own thread.
class CRecordingSink : public CNotifySink {
public:
    void post(int code) override
    {
        std::lock_guard lock(sinkLock);
        codes.push_back(code);
    }
    std::vector<int> received() const
    {
        std::lock_guard lock(sinkLock);
        return codes;
    }

private:
    mutable std::mutex sinkLock;
    std::vector<int> codes;
};
