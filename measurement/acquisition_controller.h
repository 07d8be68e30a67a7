#pragma once

#include "device/acquisition_params.h"
#include "device/device_notification.h"
#include "document/update_hint.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CAcquisitionHost;
class CComThread;
class CDocView;
class CNotifySink;
class CVarnelDoc;

// Continuous acquisition on the measurement form: sends the parameter packets the document's settings
// give (acquisition_parameters.h), queues one device command at a time, reacts to the worker's notifications, stores each
// reflectogram in the document, watches for a silent instrument and leads the user through a
// reconnect. Saving a live line as a long record lives here too. Runs on the form's thread only.
//
// Every queued command carries the number of the cycle it belongs to and its notification echoes it:
// only the answer to the command now outstanding is taken, so a late answer (after "Стоп", or to a
// command a restart replaced) changes nothing, and at most one request is ever in flight.
class CAcquisitionController {
public:
    static constexpr int kWatchdogId = 1;
    static constexpr int kWatchdogMs = 2000;

    // `owner` is the form: the sender of the "saved" update, so that it does not hear its own.
    CAcquisitionController(CVarnelDoc& doc, CAcquisitionHost& host, CDocView* owner = nullptr);
    // The form that hosts acquisition, when it is made after the controller.
    void setOwner(CDocView* form) { owner = form; }
    ~CAcquisitionController();
    CAcquisitionController(const CAcquisitionController&) = delete;
    CAcquisitionController& operator=(const CAcquisitionController&) = delete;

    // Starts the worker thread, which opens the device; without a worker (creation failed) the form
    // goes on and queues nothing. Notifications must come back to OnDeviceNotify on this thread.
    void onInitialUpdate(std::unique_ptr<CComThread> worker, CNotifySink* sink);
    // The form is going: cancels, ends the worker and waits for it.
    void onDestroy();

    void sendCommand(std::uint8_t code);
    void cancelCommands();
    void applyParameters();
    void storeTraces();

    void start();   // command 32838
    void stop();    // command 32839
    // Commands 32830 (line 1) and 32833 (line 2).
    void saveChannel(int line);

    void onDeviceNotify(const DeviceNotification& notification);
    // True when `identifier` was the watchdog (handled); false for the default handling.
    bool onTimer(int identifier);
    // The document's update dispatch: restarts on hints 2 and 4 while running.
    void onDocumentUpdate(UpdateHint hint);

    CComThread* device() { return worker.get(); }
    // The parameters of the last packet built from the document.
    const AcquisitionParams& sentParams() const { return params; }
    bool reconnecting() const { return inReconnect; }
    // The cycle of the command now outstanding; a notification of another cycle is stale.
    std::uint32_t currentCycle() const { return cycle; }
    // The host's id of the watchdog now running, or 0.
    int watchdogTimerId() const { return watchdogTimer; }
    void setWatchdogPeriod(int ms) { watchdogPeriodMs = ms; }   // shortened only by tests and the soak
    RecordMode recordMode() const { return mode; }
    // Where the save dialog opens: the last file saved, or the folder set up for saving.
    const std::string& savePath() const { return saveFile; }
    void setSavePath(std::string path) { saveFile = std::move(path); }
    bool initialized() const { return initialUpdated; }

private:
    void killWatchdog();
    void takeReply(const DeviceNotification& n);
    void saveLongRecord();
    void showWaitCursor(bool shown);

    CVarnelDoc& doc;
    CAcquisitionHost& host;
    CDocView* owner;
    std::unique_ptr<CComThread> worker;
    bool inReconnect = false;
    bool waitCursorShown = false;
    bool initialUpdated = false;
    int watchdogTimer = 0;
    int watchdogPeriodMs = kWatchdogMs;

    // A long record of `saveLine` to `saveFile` is requested while the mode is Long.
    RecordMode mode = RecordMode::Normal;
    int saveLine = 1;
    std::string saveFile;

    // The cycle bookkeeping: `cycle` grows with every command sent or cancelled; `pending` is the code
    // of the command awaiting its answer, or -1.
    std::uint32_t cycle = 0;
    int pending = -1;
    AcquisitionParams params;

    // The last samples and status bytes received, kept until they are stored: a line that was not
    // received keeps its last reply.
    std::array<std::uint8_t, kLineSamples> trace1{}, trace2{}, overview1{}, overview2{};
    std::uint16_t status1 = 0, status2 = 0;
    std::vector<std::uint8_t> longTrace;
};
