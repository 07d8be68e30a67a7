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
    void reportThreadFailed() override;
    void reportNoLineSelected() override;
    bool askReconnect(LinkProblem problem, const std::string& port) override;
    bool runCountdown() override;
    std::optional<std::string> askSavePath(const std::string& startPath) override;
    void reportSaved(const std::string& path) override;
    void reportSaveFailed(const std::string& path, const Status& failure) override;
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

    bool overviewShown = false;
    // Reports in the program's words (caption, text); `onSaved` hears of a successful save instead
    // when it is set. An unanswered reconnect question counts as cancelled.
    std::function<void(const std::string& caption, const std::string& text)> onMessage;
    std::function<void(const std::string& path)> onSaved;
    std::function<bool(LinkProblem problem, const std::string& port)> onReconnect;
    std::function<bool()> onCountdown;          // true: the countdown ran out
    std::optional<std::string> savePathAnswer;  // what the save dialog returns

private:
    CEventLoop& loop;
    CAcquisitionController* target = nullptr;
};
