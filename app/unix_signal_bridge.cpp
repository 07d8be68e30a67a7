#include "app/unix_signal_bridge.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

int signalPipe[2] = {-1, -1};
CUnixSignalBridge* activeBridge = nullptr;
QtMessageHandler previousHandler = nullptr;

// Only async-signal-safe work here: hand the signal number to the event loop through the pipe.
void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    static bool reported = false;
    if (type == QtWarningMsg && !reported && activeBridge && QThread::currentThread() == activeBridge->thread() &&
        CUnixSignalBridge::isDisplayLostMessage(message)) {
        reported = true;
        emit activeBridge->displayLost();
    }
}

} // namespace

bool CUnixSignalBridge::isDisplayLostMessage(const QString& message)
{
    return message.startsWith(QLatin1String("The X11 connection broke"));
}

CUnixSignalBridge::CUnixSignalBridge(QObject* parent) : QObject(parent)
{
    activeBridge = this;
    previousHandler = qInstallMessageHandler(onQtMessage);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return;
    notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &CUnixSignalBridge::readSignal);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals)
        sigaction(number, &action, nullptr);
}

CUnixSignalBridge::~CUnixSignalBridge()
{
    for (int number : kSignals)
        std::signal(number, SIG_DFL);
    qInstallMessageHandler(previousHandler);
    activeBridge = nullptr;
    if (signalPipe[0] >= 0) {
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

void CUnixSignalBridge::readSignal()
{
    unsigned char byte = 0;
    while (::read(signalPipe[0], &byte, 1) == 1)
        emit terminationRequested(byte);
}
