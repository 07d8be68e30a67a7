#pragma once

#include "document/status.h"

#include <optional>
#include <string>

// Why the instrument cannot be reached when the user is asked to reconnect.
enum class LinkProblem {
    Silent,     // no answer within the watchdog period
    PortBusy,   // another program holds the port
    AccessDenied,   // the port exists but this user may not open it (udev rule or dialout group)
};

// What the acquisition controller needs from the window system: a timer, the questions and reports of
// acquisition and saving, the reconnect countdown, the save dialog and the wait cursor. The controller
// says what happened; the host chooses the words (the window: the program's message boxes; varnel-cli:
// its output and standard error; the tests: a record).
class CAcquisitionHost {
public:
    virtual ~CAcquisitionHost() = default;

    // Starts a repeating timer that calls the controller's OnTimer with the returned identifier
    // (never 0; 0 means no timer could be started).
    virtual int startTimer(int id, int periodMs) = 0;
    virtual void killTimer(int identifier) = 0;
    // The main frame's overview screen is shown.
    virtual bool twoScreen() const = 0;

    // The worker thread could not be created: the program goes on without the instrument.
    virtual void reportThreadFailed() = 0;
    // "Старт" with no line to measure.
    virtual void reportNoLineSelected() = 0;
    // The instrument cannot be reached on `port`; true to try again (OK), false to stop (Cancel).
    virtual bool askReconnect(LinkProblem problem, const std::string& port) = 0;
    // The reconnect countdown, modal: true when it ran out, false when it was cancelled.
    virtual bool runCountdown() = 0;
    // The save dialog for a reflectogram, starting at `startPath`; the chosen full path, or nothing.
    virtual std::optional<std::string> askSavePath(const std::string& startPath) = 0;
    virtual void reportSaved(const std::string& path) = 0;
    // `failure` carries both wordings: the window shows the one of its language.
    virtual void reportSaveFailed(const std::string& path, const Status& failure) = 0;

    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;
    // Acquisition started or stopped: whatever shows the state of commands looks again.
    virtual void stateChanged() {}
};
