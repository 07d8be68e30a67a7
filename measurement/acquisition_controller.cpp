#include "measurement/acquisition_controller.h"

#include "document/tables.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "files/reflectogram_file.h"
#include "measurement/acquisition_host.h"

#include <cmath>

namespace {

// Exponent of the long record's sample spacing per range index: 8000 samples of 0.125 x 2^e nominal metres.
constexpr int kLongRecordExponent[tables::kRangeCount] = {0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6};
constexpr double kBaseSample = 0.125;   // nominal metres
constexpr int kStartOffset = 43;

} // namespace

CAcquisitionController::CAcquisitionController(CVarnelDoc& doc, CAcquisitionHost& host, CDocView* owner)
    : doc(doc), host(host), owner(owner)
{
}

CAcquisitionController::~CAcquisitionController() { OnDestroy(); }

void CAcquisitionController::OnInitialUpdate(std::unique_ptr<CProtocolVUZ> created, CNotifySink* sink)
{
    worker = std::move(created);
    if (worker) {
        worker->notifyWindow = sink;
        if (!worker->CreateThread())
            worker.reset();
    }
    if (!worker)
        host.showMessage(acqtext::kThreadFailed, acqtext::kThreadFailedCaption, MessageIcon::None);
    initialized = true;
}

void CAcquisitionController::OnDestroy()
{
    if (!worker)
        return;
    CancelCommands();
    worker->EndThread();
}

bool CAcquisitionController::LineSelected(int line) const
{
    const Trace& t = doc.traces[line == L2 ? L2 : L1];
    return t.shown && t.available;
}

void CAcquisitionController::KillWatchdog()
{
    if (watchdogTimer != 0)
        host.killTimer(watchdogTimer);
    watchdogTimer = 0;
}

void CAcquisitionController::SendCommand(std::uint8_t code)
{
    if (!worker)
        return;
    CancelCommands();
    worker->AddCommand(code);
    watchdogTimer = host.startTimer(kWatchdogId, watchdogPeriodMs);
}

void CAcquisitionController::CancelCommands()
{
    if (!worker)
        return;
    KillWatchdog();
    worker->ClearCommands();
}

AcquisitionParams CAcquisitionController::ParametersFor() const
{
    AcquisitionParams p = worker ? worker->Params() : AcquisitionParams{};
    p.mode = recordMode;
    p.dataLength = 0;
    p.sendLines = 0;
    p.receiveLines = 0;

    const bool selected1 = LineSelected(L1);
    const bool selected2 = LineSelected(L2);
    auto splitPairMasks = [&] {
        if (!doc.traces[L1].available && doc.traces[L2].shown) {
            p.sendLines = 1;
            p.receiveLines = 2;
        } else if (!doc.traces[L2].available && doc.traces[L1].shown) {
            p.sendLines = 2;
            p.receiveLines = 1;
        }
    };
    if (recordMode != 'L') {
        if (doc.splitPairs) {
            splitPairMasks();
            p.dataLength = 502;
        } else if (selected1 && selected2) {
            p.sendLines = p.receiveLines = 3;
            p.dataLength = 1002;
        } else {
            if (selected1) {
                p.sendLines = p.receiveLines = 1;
                p.dataLength = 502;
            }
            if (selected2) {
                p.sendLines = p.receiveLines = 2;
                p.dataLength = 502;
            }
        }
    } else {
        p.dataLength = 8002;
        if (doc.splitPairs)
            splitPairMasks();
        else
            p.sendLines = p.receiveLines = saveLine;
    }

    p.averaging = static_cast<std::uint8_t>(static_cast<long long>(std::pow(2.0, doc.average)) & 0xFF);
    p.gainCode = static_cast<std::uint8_t>(doc.gain & 0xFF);

    int k = tables::scaleIndexOf(doc.scale);
    if (recordMode == 'L') {
        // An out-of-table range (never produced by the document) takes the largest exponent.
        const int e = kLongRecordExponent[k < tables::kRangeCount ? k : tables::kRangeCount - 1];
        p.windowCode = static_cast<std::int16_t>((1 << e) - 1);
    } else {
        p.rangeCode = static_cast<std::int16_t>((1 << k) - 1);
        k = tables::scaleIndexOf(doc.scale / std::pow(2.0, doc.zoom));
        p.windowCode = static_cast<std::int16_t>((1 << k) - 1);
    }

    p.pulseCode = static_cast<std::int16_t>(std::trunc(doc.pulse / 10));

    const double half = 250.0 * (1 << k);
    const double lo = std::trunc(doc.zoomCenter / kBaseSample - half);
    const double hi = std::trunc(doc.zoomCenter / kBaseSample + half);
    if (lo <= 0)
        p.windowStart = kStartOffset;
    else if (doc.scale / kBaseSample < hi)
        p.windowStart = static_cast<std::int32_t>(std::trunc(doc.scale / kBaseSample - 500.0 * (1 << k))) + kStartOffset;
    else
        p.windowStart = static_cast<std::int32_t>(lo) + kStartOffset;

    if (recordMode == 'L')
        p.windowStart = kStartOffset;
    return p;
}

void CAcquisitionController::ApplyParameters()
{
    if (!worker)
        return;
    worker->SetParams(ParametersFor());
    SendCommand(CProtocolVUZ::kWindowParams);
}

void CAcquisitionController::StoreTraces()
{
    if (!worker)
        return;
    KillWatchdog();
    const bool twoScreen = host.twoScreen();
    Trace& t1 = doc.traces[L1];
    Trace& t2 = doc.traces[L2];
    t1.samples = worker->trace1;
    t2.samples = worker->trace2;
    if (twoScreen && doc.zoom == 0) {
        t1.overviewSamples = t1.samples;
        t2.overviewSamples = t2.samples;
    } else if (twoScreen) {
        t1.overviewSamples = worker->overview1;
        t2.overviewSamples = worker->overview2;
    }
    t1.status = worker->status1;
    t2.status = worker->status2;
    doc.updateAllViews(nullptr, kHintNewSamples);
}

void CAcquisitionController::Start()
{
    const bool selected1 = LineSelected(L1);
    const bool selected2 = LineSelected(L2);
    if (!selected1 && !selected2) {
        host.showMessage(acqtext::kSelectLine, acqtext::kSelectLineCaption, MessageIcon::Information);
        return;
    }
    SendCommand(CProtocolVUZ::kStart);
    // A long record still requested is fetched again now: the user waits for it once more.
    if (recordMode == 'L')
        ShowWaitCursor(true);
    doc.acqState = CVarnelDoc::kRunning;
    if (selected1)
        doc.traces[L1].active = true;
    if (selected2)
        doc.traces[L2].active = true;
}

void CAcquisitionController::Stop()
{
    CancelCommands();
    ShowWaitCursor(false);   // a stopped acquisition must not leave the busy cursor up
    doc.acqState = CVarnelDoc::kStopped;
    doc.traces[L2].active = false;
    doc.traces[L1].active = false;
}

void CAcquisitionController::SaveLine(int line)
{
    doc.capture = false;
    CancelCommands();
    if (auto chosen = host.askSavePath(savePath)) {
        savePath = *chosen;
        recordMode = 'L';
        saveLine = static_cast<std::uint8_t>(line == 2 ? 2 : 1);
        ShowWaitCursor(true);
    }
    ApplyParameters();
}

void CAcquisitionController::ShowWaitCursor(bool shown)
{
    if (shown == waitCursorShown)
        return;
    waitCursorShown = shown;
    if (shown)
        host.beginWaitCursor();
    else
        host.endWaitCursor();
}

void CAcquisitionController::SaveLongRecord()
{
    const int line = saveLine == 2 ? L2 : L1;
    const Status written = WriteReflectogram(savePath, doc, line, worker->longTrace);
    ShowWaitCursor(false);
    if (written) {
        host.showMessage(acqtext::kSaved, "", MessageIcon::Information);
        doc.updateAllViews(owner, kHintSaved);
    } else {
        // The reason names the file already when it begins with it.
        std::string reason = written.reason();
        if (reason.rfind(savePath + ": ", 0) == 0)
            reason = reason.substr(savePath.size() + 2);
        host.showMessage(std::string(acqtext::kSaveFailed) + "\n" + savePath + "\n" + reason, acqtext::kErrorCaption,
                         MessageIcon::Error);
    }
    recordMode = 'Y';
    ApplyParameters();
}

void CAcquisitionController::OnDeviceNotify(int code)
{
    if (!worker)
        return;
    KillWatchdog();
    // A late answer while the user is asked to reconnect would start a second watchdog and a second
    // dialog on top of the first; the procedure restarts or stops acquisition itself.
    if (inReconnect)
        return;
    switch (code) {
    case CProtocolVUZ::kWindowAck:
        SendCommand(CProtocolVUZ::kWindowData);
        break;
    case CProtocolVUZ::kFullRangeAck:
        SendCommand(CProtocolVUZ::kFullRangeData);
        break;
    case CProtocolVUZ::kWindowError:
        SendCommand(CProtocolVUZ::kWindowData);
        break;
    case CProtocolVUZ::kFullRangeError:
        SendCommand(CProtocolVUZ::kFullRangeData);
        break;
    case CProtocolVUZ::kWindowReply:
        if (host.twoScreen() && doc.zoom != 0) {
            SendCommand(CProtocolVUZ::kFullRangeParams);
        } else {
            StoreTraces();
            ApplyParameters();
        }
        break;
    case CProtocolVUZ::kFullRangeReply:
        StoreTraces();
        ApplyParameters();
        break;
    case CProtocolVUZ::kStartAck:
        ApplyParameters();
        break;
    case CProtocolVUZ::kLongRecord:
        SaveLongRecord();
        break;
    default:
        break;
    }
}

bool CAcquisitionController::OnTimer(int identifier)
{
    if (identifier == 0 || identifier != watchdogTimer || !worker)
        return false;
    inReconnect = true;
    CancelCommands();
    for (;;) {
        if (!host.askOkCancel(acqtext::kReconnect, acqtext::kReconnectCaption)) {
            inReconnect = false;
            Stop();
            return true;
        }
        const FtStatus closed = worker->CloseDevice();
        if (closed == ft::kOk || closed == ft::kInvalidHandle)
            break;
    }
    const bool countdownEnded = host.runCountdown();
    worker->OpenDevice();
    inReconnect = false;
    if (countdownEnded)
        Start();
    else
        Stop();
    return true;
}

void CAcquisitionController::OnDocumentUpdate(int hint)
{
    if (!initialized || inReconnect)
        return;
    const bool running = doc.acqState == CVarnelDoc::kRunning;
    if ((hint == kHintAcqParams || hint == kHintLines) && running)
        ApplyParameters();
    else if (hint == kHintLines && !running)
        CancelCommands();
}
