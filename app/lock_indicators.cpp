#include "app/lock_indicators.h"

#include "app/first_paint_probe.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

CLockIndicators::CLockIndicators(QStatusBar& bar) : QObject(&bar)
{
    const char* const names[] = {"CAP", "NUM", "SCRL"};
    const char* const keys[] = {"Caps Lock", "Num Lock", "Scroll Lock"};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromLatin1(names[i]), &bar);
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setToolTip(QString::fromLatin1(keys[i]));
        label->setAccessibleName(QString::fromLatin1(keys[i]));
        label->hide();   // until the key's state is known
        bar.addPermanentWidget(label);
        labels[static_cast<std::size_t>(i)] = label;
    }
    // Asking the X server takes six round trips: the keys are read once the window is on the screen.
    CFirstPaintProbe::afterFirstPaint(&bar, [this] { start(); });
}

void CLockIndicators::start()
{
    const LockKeyState state = readLockKeys();
    show(state);
    // Where no key can be known there is nothing to ask again. No timer polls the keys: an idle
    // program must not wake up, and a key pressed in another program is read when this one is active again.
    if (!state.caps && !state.num && !state.scroll)
        return;
    qApp->installEventFilter(this);
}

void CLockIndicators::show(const LockKeyState& state)
{
    const std::optional<bool> on[] = {state.caps, state.num, state.scroll};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setVisible(on[i].has_value());
        labels[i]->setEnabled(on[i].value_or(false));
    }
}

bool CLockIndicators::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            refresh();
    } else if (event->type() == QEvent::ApplicationActivate) {
        refresh();
    }
    return QObject::eventFilter(watched, event);
}
