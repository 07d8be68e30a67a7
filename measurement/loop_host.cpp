#include "measurement/loop_host.h"

#include "measurement/acquisition_controller.h"
#include "measurement/acquisition_texts.h"
#include "measurement/event_loop.h"

CLoopHost::CLoopHost(CEventLoop& loop) : loop(loop) {}

int CLoopHost::startTimer(int, int periodMs)
{
    return loop.startTimer(periodMs, [this](int id) {
        if (target)
            target->onTimer(id);
    });
}

void CLoopHost::killTimer(int identifier) { loop.killTimer(identifier); }

void CLoopHost::reportThreadFailed()
{
    if (onMessage)
        onMessage(acqtext::kThreadFailedCaption, acqtext::kThreadFailed);
}

void CLoopHost::reportNoLineSelected()
{
    if (onMessage)
        onMessage(acqtext::kSelectLineCaption, acqtext::kSelectLine);
}

bool CLoopHost::askReconnect(LinkProblem problem, const std::string& port)
{
    return onReconnect ? onReconnect(problem, port) : false;
}

void CLoopHost::reportSaved(const std::string& path)
{
    if (onSaved)
        onSaved(path);
    else if (onMessage)
        onMessage("", acqtext::kSaved);
}

void CLoopHost::reportSaveFailed(const std::string& path, const Status& failure)
{
    if (onMessage)
        onMessage(acqtext::kErrorCaption, acqtext::saveFailed(path, failure.userReason()));
}

bool CLoopHost::runCountdown() { return onCountdown ? onCountdown() : false; }

std::optional<std::string> CLoopHost::askSavePath(const std::string&) { return savePathAnswer; }
