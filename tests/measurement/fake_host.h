#pragma once

#include "measurement/acquisition_host.h"

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

// A host whose timers are only recorded (the test fires them) and whose dialogs answer from a script.
// Reports are kept as short English phrases: the words the user sees are the window's and the CLI's.
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
    void reportThreadFailed() override { reports.push_back("thread failed"); }
    void reportNoLineSelected() override { reports.push_back("no line selected"); }
    bool askReconnect(LinkProblem problem, const std::string& port) override
    {
        questions.push_back({problem, port});
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
    void reportSaved(const std::string& path) override { reports.push_back("saved " + path); }
    void reportSaveFailed(const std::string& path, const Status& failure) override
    {
        reports.push_back("save failed " + path + ": " + failure.userReason());
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
    std::vector<std::string> reports;
    std::vector<std::pair<LinkProblem, std::string>> questions;
    int countdowns = 0;
    std::vector<std::string> dialogStarts;
    int waitCursor = 0;
};
