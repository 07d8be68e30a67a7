#pragma once

#include "device/notify_sink.h"

#include <functional>

class QObject;

// Delivers the worker's notifications to a handler on `receiver`'s thread, as queued calls. The
// sink must live as long as the receiver; calls still queued when the receiver goes are dropped.
class CQtNotifySink : public CNotifySink {
public:
    CQtNotifySink(QObject* receiver, std::function<void(int)> deliver);
    void post(int code) override;

private:
    QObject* receiver;
    std::function<void(int)> deliver;
};
