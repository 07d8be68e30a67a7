#pragma once

#include "app/lock_key_state.h"

#include <QObject>

#include <array>

class QLabel;
class QStatusBar;

// The status bar's CAP, NUM and SCRL indicators: shown dark while the key is on and grey while it is
// off; an indicator whose state cannot be known is hidden rather than always grey. The state is first
// read after the status bar's first paint, and again after a lock key in the program and when the
// program becomes active.
class CLockIndicators : public QObject {
    Q_OBJECT
public:
    explicit CLockIndicators(QStatusBar& bar);

    // Reads the keys and, where any can be known, follows them from then on.
    void start();
    void show(const LockKeyState& state);
    void refresh() { show(readLockKeys()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLabel*, 3> labels{};
};
