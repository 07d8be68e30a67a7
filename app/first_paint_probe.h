#pragma once

#include <QObject>

// Start-up measurement: with VARNEL_EXIT_AFTER_FIRST_PAINT set, the program prints
// "first-paint <CLOCK_MONOTONIC ns>" once the main window's first frame, with `watched` in it, is
// painted, and ends. The start-up benchmark compares it with the moment it started the program.
class CFirstPaintProbe : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kVariable = "VARNEL_EXIT_AFTER_FIRST_PAINT";

    // Watches `watched` when the variable is set; otherwise does nothing.
    static void installIfAsked(QObject* watched);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CFirstPaintProbe(QObject* parent) : QObject(parent) {}
    bool seen = false;
};
