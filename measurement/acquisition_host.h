#pragma once

#include <optional>
#include <string>

enum class MessageIcon { None, Information, Warning, Error };

// What the acquisition controller needs from the window system: a timer, message boxes, the
// reconnect countdown, the save dialog and the wait cursor. The GUI implements it with Qt; the
// command-line program and the tests with their own loops and fakes.
class CAcquisitionHost {
public:
    virtual ~CAcquisitionHost() = default;

    // Starts a repeating timer that calls the controller's OnTimer with the returned identifier
    // (never 0; 0 means no timer could be started).
    virtual int startTimer(int id, int periodMs) = 0;
    virtual void killTimer(int identifier) = 0;
    // The main frame's overview screen is shown.
    virtual bool twoScreen() const = 0;

    virtual void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool askOkCancel(const std::string& text, const std::string& caption) = 0;
    // The reconnect countdown, modal: true when it ran out, false when it was cancelled.
    virtual bool runCountdown() = 0;
    // The save dialog for a reflectogram, starting at `startPath`; the chosen full path, or nothing.
    virtual std::optional<std::string> askSavePath(const std::string& startPath) = 0;

    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;
};
