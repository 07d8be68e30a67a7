#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a signal on the UI thread, so a session's end, a closed terminal
// or Ctrl+C leaves the event loop normally and every destructor (and with it the settings write) runs.
// A lost display server is reported too: the platform ends the process right after it says so, without
// returning to the event loop, so displayLost is emitted synchronously and its slot must finish the work.
class CUnixSignalBridge : public QObject {
    Q_OBJECT
public:
    explicit CUnixSignalBridge(QObject* parent = nullptr);
    ~CUnixSignalBridge() override;

    // The platform's message that the connection to the display server broke.
    static bool isDisplayLostMessage(const QString& message);

signals:
    void terminationRequested(int signalNumber);
    void displayLost();

private:
    void readSignal();
    QSocketNotifier* notifier = nullptr;
};
