#pragma once

#include "device/device_notification.h"

// Where the worker's notifications go: the owner's thread. post() is called on the worker and must
// only queue the notification for the owner's thread; it returns before the owner reacts.
class CNotifySink {
public:
    virtual ~CNotifySink() = default;
    virtual void post(DeviceNotification notification) = 0;
};
