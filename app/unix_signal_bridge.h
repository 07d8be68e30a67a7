#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a signal on the UI thread, so a session's end or Ctrl+C leaves the event
// loop normally and every destructor (and with it the settings write) runs.
class CUnixSignalBridge : public QObject {
    Q_OBJECT
public:
    explicit CUnixSignalBridge(QObject* parent = nullptr);
    ~CUnixSignalBridge() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();
    QSocketNotifier* notifier = nullptr;
};
