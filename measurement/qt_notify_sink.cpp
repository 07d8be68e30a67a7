#include "measurement/qt_notify_sink.h"

#include <QMetaObject>
#include <QObject>

CQtNotifySink::CQtNotifySink(QObject* receiver, std::function<void(int)> deliver)
    : receiver(receiver), deliver(std::move(deliver))
{
}

void CQtNotifySink::post(int code)
{
    QMetaObject::invokeMethod(receiver, [this, code] { deliver(code); }, Qt::QueuedConnection);
}
