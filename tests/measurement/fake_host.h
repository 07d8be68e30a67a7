#pragma once

#include "measurement/acquisition_host.h"

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

// A host whose timers are only recorded (the test fires them) and whose dialogs answer from a script.
class CFakeHost : public CAcquisitionHost {
public:
    int startTimer(int id, int periodMs) override
    {
        timerRequests.push_back({id, periodMs});
        running.insert(++lastTimer);
        return lastTimer;
    }
    void killTimer(int identifier) override { running.erase(identifier); }
    bool twoScreen() const override { return overviewShown; }
    void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override
    {
        messages.push_back({text, caption, icon});
    }
    bool askOkCancel(const std::string& text, const std::string& caption) override
    {
        questions.push_back({text, caption, MessageIcon::None});
        if (whileAsking)
            whileAsking();
        const bool ok = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return ok;
    }
    bool runCountdown() override
    {
        ++countdowns;
        return countdownRunsOut;
    }
    std::optional<std::string> askSavePath(const std::string& startPath) override
    {
        dialogStarts.push_back(startPath);
        return savePathAnswer;
    }
    void beginWaitCursor() override { ++waitCursor; }
    void endWaitCursor() override { --waitCursor; }

    bool overviewShown = false;
    std::deque<bool> answers;              // OK (true) or Cancel for each question
    std::function<void()> whileAsking;     // runs while a question is shown (a nested event)
    bool countdownRunsOut = true;
    std::optional<std::string> savePathAnswer;

    std::vector<std::pair<int, int>> timerRequests;
    std::set<int> running;
    int lastTimer = 0;
    std::vector<ShownMessage> messages;
    std::vector<ShownMessage> questions;
    int countdowns = 0;
    std::vector<std::string> dialogStarts;
    int waitCursor = 0;
};
