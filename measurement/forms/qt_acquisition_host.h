#pragma once

#include "measurement/acquisition_host.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class CAcquisitionController;
class QWidget;

// The acquisition controller's window-system side in Qt: QObject timers, message boxes, the
// countdown dialog CWaitDlg, the save dialog and the wait cursor, all parented to `window`.
class CQtAcquisitionHost : public QObject, public CAcquisitionHost {
    Q_OBJECT
public:
    explicit CQtAcquisitionHost(QWidget* window = nullptr);
    ~CQtAcquisitionHost() override;

    void attach(CAcquisitionController& controller) { target = &controller; }
    // The window the dialogs belong to.
    void setWindow(QWidget* w) { window = w; }
    // The main frame's overview flag; without it the overview screen counts as hidden.
    void setTwoScreenQuery(std::function<bool()> query) { twoScreenQuery = std::move(query); }
    // Told when acquisition starts or stops.
    void setStateListener(std::function<void()> listener) { stateListener = std::move(listener); }
    void stateChanged() override;

    int startTimer(int id, int periodMs) override;
    void killTimer(int identifier) override;
    bool twoScreen() const override;
    void reportThreadFailed() override;
    void reportNoLineSelected() override;
    bool askReconnect(LinkProblem problem, const std::string& port) override;
    bool runCountdown() override;
    std::optional<std::string> askSavePath(const std::string& startPath) override;
    void reportSaved(const std::string& path) override;
    void reportSaveFailed(const std::string& path, const Status& failure) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QPointer<QWidget> window;
    CAcquisitionController* target = nullptr;
    std::function<bool()> twoScreenQuery;
    std::function<void()> stateListener;
    int waitCursors = 0;
};
