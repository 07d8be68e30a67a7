#include "app/first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>

void CFirstPaintProbe::installIfAsked(QObject* watched)
{
    if (!qEnvironmentVariableIsSet(kVariable))
        return;
    watched->installEventFilter(new CFirstPaintProbe(watched));
}

void CFirstPaintProbe::afterFirstPaint(QObject* watched, std::function<void()> then)
{
    if (qEnvironmentVariableIsSet(kVariable))
        return;
    watched->installEventFilter(new CFirstPaintProbe(watched, std::move(then)));
}

bool CFirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !seen) {
        seen = true;
        if (then) {
            QTimer::singleShot(0, this, [this] {
                then();
                deleteLater();
            });
            return QObject::eventFilter(watched, event);
        }
        // The rest of the window is painted in the same pass; the time is taken when that pass is done.
        QTimer::singleShot(0, this, [] {
            timespec now {};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("first-paint %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }
    return QObject::eventFilter(watched, event);
}
