#pragma once

#include "device/transport.h"
#include "document/doc_view.h"
#include "measurement/acquisition_controller.h"
#include "measurement/acquisition_host.h"
#include "measurement/event_loop.h"
#include "measurement/loop_host.h"
#include "measurement/loop_notify_sink.h"

#include <iosfwd>
#include <string>

class CVarnelDoc;

// Acquisition without a window, for the commands that measure: the program's device chain for a port
// on an event loop, with the end of the run and its exit code. A report of the controller ends the run
// as a failure; what a command wants otherwise it sets on `host` before begin().
class CAcquisitionRun : public CDocView {
public:
    // `command` names the command in the messages.
    CAcquisitionRun(CVarnelDoc& doc, std::string command, std::ostream& err);
    ~CAcquisitionRun() override;

    // Creates the worker for `port` (which opens it) and starts acquisition; false when the run ended
    // already (the port could not be used, no line to measure). With `trace`, the link's traffic goes
    // there (CTracingTransport).
    bool begin(const std::string& port, std::ostream* trace = nullptr);
    // Runs the loop until the run ends; the exit code.
    int runLoop();
    bool over() const { return exitCode >= 0; }
    // The one line for a port that cannot be used, naming it and what is wrong.
    std::string portFailure(LinkProblem problem, const std::string& port, FtStatus status) const;

protected:
    void finish(int code);
    void fail(const std::string& message);

    CVarnelDoc& doc;
    const std::string command;
    std::ostream& err;
    CEventLoop loop;
    CLoopHost host;
    CAcquisitionController controller;
    CLoopNotifySink sink;
    int exitCode = -1;
    // Nobody can plug the instrument in and press "OK" for a command: a port that did not open ends the
    // run at once, unless the command waits for the instrument (false).
    bool endsWhenPortFails = true;
};
