#include "cli/acquisition_run.h"

#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "device/com_thread.h"
#include "device/port_choice.h"
#include "device/transport_status.h"
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
        fail(portFailure(problem, port, controller.device()->lastDeviceStatus()));
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
    // Without a user to ask, "auto" with several bridges attached ends before any of them is touched.
    if (const Status s = checkAutoPort(port, ftdiPorts()); !s) {
        fail(command + ": " + cliReason(s) +
             cliText("; name the instrument's with --port (varnel-cli ports lists them)",
                     "; укажите порт прибора в --port (их список выдает varnel-cli ports)"));
        return false;
    }
    controller.onInitialUpdate(makeDeviceWorker(port, trace), &sink);
    if (const FtStatus s = controller.device() ? controller.device()->lastDeviceStatus() : ft::kOk;
        !over() && endsWhenPortFails && s != ft::kOk) {
        const LinkProblem problem = s == ft::kPortBusy       ? LinkProblem::PortBusy
                                    : s == ft::kAccessDenied ? LinkProblem::AccessDenied
                                                             : LinkProblem::Silent;
        fail(portFailure(problem, controller.device()->portName(), s));
    }
    if (!over())
        controller.start();
    return !over();
}

std::string CAcquisitionRun::portFailure(LinkProblem problem, const std::string& port, FtStatus status) const
{
    switch (problem) {
    case LinkProblem::PortBusy:
        return command + cliText(": port " + port + " is busy: another program is using it",
                                 ": порт " + port + " занят другой программой");
    case LinkProblem::AccessDenied:
        return command + cliText(": " + acqtext::accessDeniedLine(port),
                                 ": нет доступа к порту " + port +
                                     ": установите правило udev программы (60-varnel.rules из пакета varnel) или "
                                     "добавьте пользователя в группу dialout (sudo usermod -aG dialout $USER), "
                                     "затем войдите в систему заново");
    case LinkProblem::Silent: break;
    }
    std::string line = std::string(acqtext::kReconnectCaption) + ": " + port;
    if (status != ft::kOk)
        line += " (" + statusText(status) + ")";
    return line;
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
