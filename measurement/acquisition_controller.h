#pragma once

#include "device/protocol_vuz.h"

#include <cstdint>
#include <memory>
#include <string>

class CAcquisitionHost;
class CDocView;
class CNotifySink;
class CVarnelDoc;

namespace acqtext {
inline constexpr const char* kThreadFailed = "Ошибка создания потока";
inline constexpr const char* kThreadFailedCaption = "USB ERROR...";
inline constexpr const char* kSelectLine = "Выберите линию для измерения";
inline constexpr const char* kSelectLineCaption = "ВНИМАНИЕ";
inline constexpr const char* kReconnect = "Проверте соединение с прбором VARNEL\nи нажмите \"ОК\" для повторной попытки";
inline constexpr const char* kReconnectCaption = "Нет связи с прибором VARNEL";
inline constexpr const char* kSaved = "Рефлектограмма успешно сохранена";
inline constexpr const char* kSaveFailed = "Не удалось сохранить рефлектограмму в файл";
inline constexpr const char* kErrorCaption = "Ошибка";
} // namespace acqtext

// Continuous acquisition on the measurement form: turns the document's settings into parameter
// packets, queues one device command at a time, reacts to the worker's notifications, stores each
// reflectogram in the document, watches for a silent instrument and leads the user through a
// reconnect. Saving a live line as a long record lives here too. Runs on the form's thread only.
class CAcquisitionController {
public:
    static constexpr int kWatchdogId = 1;
    static constexpr int kWatchdogMs = 2000;

    // `owner` is the form: the sender of the "saved" update, so that it does not hear its own.
    CAcquisitionController(CVarnelDoc& doc, CAcquisitionHost& host, CDocView* owner = nullptr);
    ~CAcquisitionController();
    CAcquisitionController(const CAcquisitionController&) = delete;
    CAcquisitionController& operator=(const CAcquisitionController&) = delete;

    // Creates the worker thread, which opens the device; without a worker (creation failed) the form
    // goes on and queues nothing. Notifications must come back to OnDeviceNotify on this thread.
    void OnInitialUpdate(std::unique_ptr<CProtocolVUZ> worker, CNotifySink* sink);
    // The form is going: cancels, ends the worker and waits for it.
    void OnDestroy();

    void SendCommand(std::uint8_t code);
    void CancelCommands();
    void ApplyParameters();
    void StoreTraces();

    void Start();   // command 32838
    void Stop();    // command 32839
    // Commands 32830 (line 1) and 32833 (line 2).
    void SaveLine(int line);

    void OnDeviceNotify(int code);
    // True when `identifier` was the watchdog (handled); false for the default handling.
    bool OnTimer(int identifier);
    // The document's update dispatch: restarts on hints 2 and 4 while running.
    void OnDocumentUpdate(int hint);

    // The protocol parameters the document gives now (ApplyParameters without sending).
    AcquisitionParams ParametersFor() const;
    bool LineSelected(int line) const;

    CProtocolVUZ* protocol() { return worker.get(); }
    bool reconnecting() const { return inReconnect; }

    int watchdogTimer = 0;
    int watchdogPeriodMs = kWatchdogMs;   // shortened only by tests
    char recordMode = 'Y';
    std::uint8_t saveLine = 1;
    std::string savePath;
    bool initialized = false;

private:
    void KillWatchdog();
    void SaveLongRecord();
    void ShowWaitCursor(bool shown);

    CVarnelDoc& doc;
    CAcquisitionHost& host;
    CDocView* owner;
    std::unique_ptr<CProtocolVUZ> worker;
    bool inReconnect = false;
    bool waitCursorShown = false;
};
