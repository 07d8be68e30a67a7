#pragma once

#include "measurement/acquisition_host.h"

#include <functional>
#include <optional>
#include <string>

class CAcquisitionController;
class CEventLoop;

// A host without a window system, on a CEventLoop: the loop's timers drive the controller's watchdog,
// and whoever runs the loop answers the dialogs. Unanswered questions are cancelled.
class CLoopHost : public CAcquisitionHost {
public:
    explicit CLoopHost(CEventLoop& loop);
    // The controller whose OnTimer the timers call.
    void attach(CAcquisitionController& controller) { target = &controller; }

    int startTimer(int id, int periodMs) override;
    void killTimer(int identifier) override;
    bool twoScreen() const override { return overviewShown; }
    void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool askOkCancel(const std::string& text, const std::string& caption) override;
    bool runCountdown() override;
    std::optional<std::string> askSavePath(const std::string& startPath) override;
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

    bool overviewShown = false;
    std::function<void(const std::string& text, const std::string& caption, MessageIcon icon)> onMessage;
    std::function<bool(const std::string& text, const std::string& caption)> onQuestion;
    std::function<bool()> onCountdown;          // true: the countdown ran out
    std::optional<std::string> savePathAnswer;  // what the save dialog returns

private:
    CEventLoop& loop;
    CAcquisitionController* target = nullptr;
};
