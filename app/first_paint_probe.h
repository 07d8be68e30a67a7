#pragma once

#include <QObject>

#include <functional>

// Start-up measurement: with VARNEL_EXIT_AFTER_FIRST_PAINT set, the program prints
// "first-paint <CLOCK_MONOTONIC ns>" once the main window's first frame, with `watched` in it, is
// painted, and ends. The start-up benchmark compares it with the moment it started the program.
class CFirstPaintProbe : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kVariable = "VARNEL_EXIT_AFTER_FIRST_PAINT";

    // Watches `watched` when the variable is set; otherwise does nothing.
    static void installIfAsked(QObject* watched);
    // Runs `then` once, from the event loop, after `watched` was first painted (work that need not hold
    // up the first frame). With the variable set the program ends at that frame and `then` never runs.
    static void afterFirstPaint(QObject* watched, std::function<void()> then);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CFirstPaintProbe(QObject* parent, std::function<void()> then = {})
        : QObject(parent), then(std::move(then))
    {
    }
    bool seen = false;
    std::function<void()> then;   // empty: the measurement, which prints the time and ends the program
};
