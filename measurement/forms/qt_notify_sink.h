#pragma once

#include "device/notify_sink.h"

#include <functional>

class QObject;

// Delivers the worker's notifications to a handler on `receiver`'s thread, as queued calls. The
// sink must live as long as the receiver; calls still queued when the receiver goes are dropped.
class CQtNotifySink : public CNotifySink {
public:
    using Handler = std::function<void(const DeviceNotification&)>;
    CQtNotifySink(QObject* receiver, Handler deliver);
    void post(DeviceNotification notification) override;

private:
    QObject* receiver;
    Handler deliver;
};
