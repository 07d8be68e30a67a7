#include "document/ini_file.h"
#include "support/temp_dir.h"

#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// The program started on the offscreen platform (or the X display `display`) with its settings in `dir`.
class RunningProgram {
public:
    explicit RunningProgram(const TempDir& dir, const QStringList& more = {}, const QString& display = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), display.isEmpty() ? QStringLiteral("offscreen") : QStringLiteral("xcb"));
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(VARNEL_BIN),
                      QStringList{QStringLiteral("--config-dir"), QString::fromStdString(dir.path().string())} + more);
        process.waitForStarted();
    }
    QProcess process;
};

TEST(Program, TerminationSignalsEndCleanlyAndWriteTheSettings)
{
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        TempDir dir;
        writeText(dir.file("param.ini"), "[VARNEL]\nSCALE=7\nPULSE=3\n");
        RunningProgram program(dir);
        // Let the window come up before the signal arrives.
        QThread::msleep(1500);
        ::kill(static_cast<pid_t>(program.process.processId()), signalNumber);
        ASSERT_TRUE(program.process.waitForFinished(10000));
        EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit) << signalNumber;
        EXPECT_EQ(program.process.exitCode(), 0) << signalNumber;
        CIniFile ini(dir.file("param.ini"));
        ini.load();
        EXPECT_EQ(ini.getInt("VARNEL", "SCALE", -1), 7);
        EXPECT_EQ(ini.getInt("VARNEL", "APPOXIMATION", -1), 1);
        EXPECT_EQ(ini.getInt("VARNEL", "TWOSCREEN", -1), 0);
        // The KU table panel puts its path back: at first start, the Save folder.
        EXPECT_EQ(ini.getString("VARNEL", "OPEN_KU", ""), dir.file("Save") + "/");
        // The library's folders default to the Save folder.
        EXPECT_EQ(ini.getString("VARNEL", "OPEN", ""), dir.file("Save") + "/");
        EXPECT_EQ(ini.getString("VARNEL", "OPEN_PIECE", ""), dir.file("Save") + "/");
        EXPECT_TRUE(ini.has("VARNEL", "SAVE_PIECE"));
        EXPECT_TRUE(std::filesystem::is_directory(dir.file("Save")));
    }
}

TEST(Program, TerminationEndsTheProgramAlsoWhileTheReconnectQuestionIsOpen)
{
    TempDir dir;
    // The instrument falls silent after three replies; the watchdog then asks whether to reconnect.
    RunningProgram program(dir, {QStringLiteral("--port"), QStringLiteral("sim:silent,after=3"),
                                 QStringLiteral("--start")});
    QThread::msleep(5000);
    ::kill(static_cast<pid_t>(program.process.processId()), SIGTERM);
    ASSERT_TRUE(program.process.waitForFinished(10000));
    EXPECT_EQ(program.process.exitCode(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("param.ini")));
}

// The X server going away ends the program as a termination signal does: the settings are written.
TEST(Program, ALostDisplayEndsTheProgramWritingTheSettings)
{
    QProcess server;
    server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                          QStringLiteral("tcp")});
    if (!server.waitForStarted(5000))
        GTEST_SKIP() << "no Xvfb to play the display server";
    QByteArray number;
    while (!number.contains('\n') && server.waitForReadyRead(10000))
        number += server.readAllStandardOutput();
    ASSERT_FALSE(number.trimmed().isEmpty());

    TempDir dir;
    writeText(dir.file("param.ini"), "[VARNEL]\nSCALE=7\n");
    RunningProgram program(dir, {}, QStringLiteral(":") + QString::fromLatin1(number.trimmed()));
    QThread::msleep(2500);
    ASSERT_EQ(program.process.state(), QProcess::Running) << program.process.readAllStandardError().toStdString();
    server.kill();
    server.waitForFinished(5000);
    ASSERT_TRUE(program.process.waitForFinished(10000));
    EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);
    CIniFile ini(dir.file("param.ini"));
    ini.load();
    EXPECT_EQ(ini.getInt("VARNEL", "SCALE", -1), 7);
    EXPECT_TRUE(ini.has("VARNEL", "TWOSCREEN"));   // written by the frame as it went
    EXPECT_TRUE(ini.has("VARNEL", "OPEN_KU"));     // and by a panel
}

TEST(Program, UnknownOptionIsRefused)
{
    QProcess process;
    process.start(QStringLiteral(VARNEL_BIN), {QStringLiteral("--no-such-option")});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
}

} // namespace
