#include "measurement/loop_host.h"

#include "measurement/acquisition_controller.h"
#include "measurement/event_loop.h"

CLoopHost::CLoopHost(CEventLoop& loop) : loop(loop) {}

int CLoopHost::startTimer(int, int periodMs)
{
    return loop.startTimer(periodMs, [this](int id) {
        if (target)
            target->OnTimer(id);
    });
}

void CLoopHost::killTimer(int identifier) { loop.killTimer(identifier); }

void CLoopHost::showMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    if (onMessage)
        onMessage(text, caption, icon);
}

bool CLoopHost::askOkCancel(const std::string& text, const std::string& caption)
{
    return onQuestion ? onQuestion(text, caption) : false;
}

bool CLoopHost::runCountdown() { return onCountdown ? onCountdown() : false; }

std::optional<std::string> CLoopHost::askSavePath(const std::string&) { return savePathAnswer; }
