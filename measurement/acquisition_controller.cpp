#include "measurement/acquisition_controller.h"

#include "device/com_thread.h"
#include "device/protocol_vuz.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "measurement/acquisition_host.h"
#include "measurement/acquisition_parameters.h"
#include "measurement/channel_record.h"

#include <algorithm>

CAcquisitionController::CAcquisitionController(CVarnelDoc& doc, CAcquisitionHost& host, CDocView* owner)
    : doc(doc), host(host), owner(owner)
{
}

CAcquisitionController::~CAcquisitionController() { onDestroy(); }

void CAcquisitionController::onInitialUpdate(std::unique_ptr<CComThread> created, CNotifySink* sink)
{
    worker = std::move(created);
    if (worker) {
        worker->notifyWindow = sink;
        if (!worker->createThread())
            worker.reset();
    }
    if (!worker)
        host.reportThreadFailed();
    initialUpdated = true;
}

void CAcquisitionController::onDestroy()
{
    if (!worker)
        return;
    cancelCommands();
    worker->endThread();
}

void CAcquisitionController::killWatchdog()
{
    if (watchdogTimer != 0)
        host.killTimer(watchdogTimer);
    watchdogTimer = 0;
}

void CAcquisitionController::sendCommand(std::uint8_t code)
{
    if (!worker)
        return;
    cancelCommands();
    pending = code;
    worker->addCommand(DeviceCommand{code, cycle, params});
    // A port held by another program or closed to this user cannot answer: ask at once instead of
    // after the silence.
    const FtStatus status = worker->lastDeviceStatus();
    const bool unusable = status == ft::kPortBusy || status == ft::kAccessDenied;
    watchdogTimer = host.startTimer(kWatchdogId, unusable ? 0 : watchdogPeriodMs);
}

void CAcquisitionController::cancelCommands()
{
    if (!worker)
        return;
    killWatchdog();
    worker->clearCommands();
    ++cycle;   // answers still under way belong to no command now
    pending = -1;
}

void CAcquisitionController::applyParameters()
{
    if (!worker)
        return;
    params = parametersFor(doc, mode, saveLine);
    sendCommand(CProtocolVUZ::kWindowParams);
}

void CAcquisitionController::storeTraces()
{
    if (!worker)
        return;
    killWatchdog();
    const bool twoScreen = host.twoScreen();
    Trace& t1 = doc.traces[L1];
    Trace& t2 = doc.traces[L2];
    t1.samples = trace1;
    t2.samples = trace2;
    if (twoScreen && doc.zoom == 0) {
        t1.overviewSamples = t1.samples;
        t2.overviewSamples = t2.samples;
    } else if (twoScreen) {
        t1.overviewSamples = overview1;
        t2.overviewSamples = overview2;
    }
    t1.status = status1;
    t2.status = status2;
    doc.updateAllViews(nullptr, kHintNewSamples);
}

void CAcquisitionController::start()
{
    const bool selected1 = lineSelected(doc, L1);
    const bool selected2 = lineSelected(doc, L2);
    if (!selected1 && !selected2) {
        host.reportNoLineSelected();
        return;
    }
    sendCommand(CProtocolVUZ::kStart);
    // A long record still requested is fetched again now: the user waits for it once more.
    if (mode == RecordMode::Long)
        showWaitCursor(true);
    doc.acqState = AcqState::Running;
    if (selected1)
        doc.traces[L1].active = true;
    if (selected2)
        doc.traces[L2].active = true;
    host.stateChanged();
}

void CAcquisitionController::stop()
{
    cancelCommands();
    showWaitCursor(false);   // a stopped acquisition must not leave the busy cursor up
    doc.acqState = AcqState::Stopped;
    doc.traces[L2].active = false;
    doc.traces[L1].active = false;
    host.stateChanged();
}

void CAcquisitionController::saveChannel(int line)
{
    doc.capture = false;
    // The start packet always goes first: a save asked for before it was acknowledged sends it again
    // instead of replacing it with a parameter packet the instrument is not ready for.
    const bool startPending = pending == CProtocolVUZ::kStart;
    cancelCommands();
    if (auto chosen = host.askSavePath(saveFile)) {
        saveFile = *chosen;
        mode = RecordMode::Long;
        saveLine = line == 2 ? 2 : 1;
        showWaitCursor(true);
    }
    if (startPending)
        sendCommand(CProtocolVUZ::kStart);
    else
        applyParameters();
}

void CAcquisitionController::showWaitCursor(bool shown)
{
    if (shown == waitCursorShown)
        return;
    waitCursorShown = shown;
    if (shown)
        host.beginWaitCursor();
    else
        host.endWaitCursor();
}

void CAcquisitionController::saveLongRecord()
{
    const int line = saveLine == 2 ? L2 : L1;
    showWaitCursor(false);
    Status written = Status::failure("incomplete long record", "рефлектограмма получена не полностью");
    std::array<std::uint8_t, kRawSamples> samples{};
    if (longTrace.size() == samples.size()) {
        std::copy(longTrace.begin(), longTrace.end(), samples.begin());
        written = writeReflectogram(saveFile, doc, line, samples);
    }
    if (written) {
        host.reportSaved(saveFile);
        doc.updateAllViews(owner, kHintSaved);
    } else {
        host.reportSaveFailed(saveFile, written);
    }
    mode = RecordMode::Normal;
    applyParameters();
}

void CAcquisitionController::takeReply(const DeviceNotification& n)
{
    if (n.status) {
        status1 = (*n.status)[0];
        status2 = (*n.status)[1];
    }
    const bool fullRange = n.code == CProtocolVUZ::kFullRangeReply;
    if (n.line1)
        (fullRange ? overview1 : trace1) = *n.line1;
    if (n.line2)
        (fullRange ? overview2 : trace2) = *n.line2;
    if (n.code == CProtocolVUZ::kLongRecord)
        longTrace = n.longRecord;
}

void CAcquisitionController::onDeviceNotify(const DeviceNotification& n)
{
    // An answer to a command that was cancelled or replaced changes nothing, not even the watchdog,
    // which belongs to the command now outstanding.
    if (!worker || n.cycle != cycle || pending < 0)
        return;
    killWatchdog();
    pending = -1;
    takeReply(n);
    switch (n.code) {
    case CProtocolVUZ::kWindowAck:
    case CProtocolVUZ::kWindowError:
        sendCommand(CProtocolVUZ::kWindowData);
        break;
    case CProtocolVUZ::kFullRangeAck:
    case CProtocolVUZ::kFullRangeError:
        sendCommand(CProtocolVUZ::kFullRangeData);
        break;
    case CProtocolVUZ::kWindowReply:
        if (host.twoScreen() && doc.zoom != 0) {
            sendCommand(CProtocolVUZ::kFullRangeParams);
        } else {
            storeTraces();
            applyParameters();
        }
        break;
    case CProtocolVUZ::kFullRangeReply:
        storeTraces();
        applyParameters();
        break;
    case CProtocolVUZ::kStartAck:
        applyParameters();
        break;
    case CProtocolVUZ::kLongRecord:
        saveLongRecord();
        break;
    default:
        break;
    }
}

bool CAcquisitionController::onTimer(int identifier)
{
    if (identifier == 0 || identifier != watchdogTimer || !worker)
        return false;
    inReconnect = true;
    // Clearing the queue also makes every answer still under way stale: none can start a second
    // watchdog or dialog while the user is asked.
    cancelCommands();
    for (;;) {
        const FtStatus status = worker->lastDeviceStatus();
        const LinkProblem problem = status == ft::kPortBusy       ? LinkProblem::PortBusy
                                    : status == ft::kAccessDenied ? LinkProblem::AccessDenied
                                                                  : LinkProblem::Silent;
        if (!host.askReconnect(problem, worker->portName())) {
            inReconnect = false;
            stop();
            return true;
        }
        // Only the worker touches the port: it closes it as it ends, and a fresh worker reopens it.
        const FtStatus closed = worker->endThread();
        if (closed == ft::kOk || closed == ft::kInvalidHandle)
            break;
    }
    const bool countdownEnded = host.runCountdown();
    // A worker that cannot be made now stays silent; the next watchdog asks again.
    worker->createThread();
    inReconnect = false;
    if (countdownEnded)
        start();
    else
        stop();
    return true;
}

void CAcquisitionController::onDocumentUpdate(UpdateHint hint)
{
    if (!initialUpdated || inReconnect)
        return;
    const bool running = doc.acqState == AcqState::Running;
    if ((hint == kHintAcqParams || hint == kHintLines) && running)
        applyParameters();
    else if (hint == kHintLines && !running)
        cancelCommands();
}
