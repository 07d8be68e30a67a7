#include "cli/acquisition_run.h"

#include "cli/cli_args.h"
#include "document/varnel_doc.h"
#include "measurement/acquisition_texts.h"
#include "measurement/device_chain.h"

CAcquisitionRun::CAcquisitionRun(CVarnelDoc& doc, std::string command, std::ostream& err)
    : doc(doc), command(std::move(command)), err(err), host(loop), controller(doc, host, this),
      sink(loop, [this](const DeviceNotification& n) { controller.onDeviceNotify(n); })
{
    host.attach(controller);
    host.onMessage = [this](const std::string& caption, const std::string& text) {
        fail(caption.empty() || caption == acqtext::kErrorCaption ? text : caption + ": " + text);
    };
    host.onReconnect = [this](LinkProblem problem, const std::string& port) {
        // No reconnect without a user: the run ends here.
        if (problem == LinkProblem::PortBusy)
            fail(this->command + ": port " + port + " is busy: another program is using it");
        else if (problem == LinkProblem::AccessDenied)
            fail(this->command + ": " + acqtext::accessDeniedLine(port));
        else
            fail(acqtext::kReconnectCaption);
        return false;
    };
    doc.addView(this);
}

CAcquisitionRun::~CAcquisitionRun()
{
    controller.onDestroy();
    doc.removeView(this);
}

bool CAcquisitionRun::begin(const std::string& port, std::ostream* trace)
{
    controller.onInitialUpdate(makeDeviceWorker(port, trace), &sink);
    if (!over())
        controller.start();
    return !over();
}

int CAcquisitionRun::runLoop()
{
    loop.run();
    return exitCode < 0 ? kExitOk : exitCode;
}

void CAcquisitionRun::finish(int code)
{
    if (exitCode < 0)
        exitCode = code;
    controller.stop();
    loop.quit();
}

void CAcquisitionRun::fail(const std::string& message)
{
    if (exitCode < 0)
        failWith(err, message, kExitBadFile);
    finish(kExitBadFile);
}
