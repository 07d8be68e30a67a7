#include "measurement/forms/qt_notify_sink.h"

#include <QMetaObject>
#include <QObject>

CQtNotifySink::CQtNotifySink(QObject* receiver, Handler deliver) : receiver(receiver), deliver(std::move(deliver)) {}

void CQtNotifySink::post(DeviceNotification notification)
{
    QMetaObject::invokeMethod(
        receiver, [this, n = std::move(notification)] { deliver(n); }, Qt::QueuedConnection);
}
