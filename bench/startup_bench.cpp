// Start-up of the program to its first painted frame, as a user waits for it: the process is started,
// builds the window with every pane (the overview on) and a library folder of 1,000 reflectograms, and
// reports the moment its main screen was first painted (VARNEL_EXIT_AFTER_FIRST_PAINT). Needs a display:
// run it under xvfb-run.
#include "files/reflectogram_file.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <ctime>
#include <fstream>

namespace {

constexpr int kLibraryFiles = 1000;

long long monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// A configuration folder whose settings show the overview and point the library at 1,000 files.
void prepare(const QString& dir)
{
    const std::string root = dir.toStdString();
    const std::string library = root + "/library/";
    std::filesystem::create_directories(library);
    ReflectogramRecord record;
    record.scaleIndex = 4;
    for (int i = 0; i < kRawSamples; ++i)
        record.samples[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((i * 7) % 256);
    const std::string bytes = encodeReflectogram(record);
    for (int i = 0; i < kLibraryFiles; ++i)
        std::ofstream(library + "line" + std::to_string(i) + ".tdr", std::ios::binary) << bytes;
    std::ofstream(root + "/param.ini") << "[VARNEL]\nTWOSCREEN=1\nSCALE=4\nOPEN=" << library << "\n";
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("needs a display: run under xvfb-run");
        return;
    }
    static int argc = 1;
    static char name[] = "bench_startup";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    prepare(dir.path());
    for (auto _ : state) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VARNEL_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(env);
        const long long started = monotonicNs();
        program.start(QStringLiteral(VARNEL_BIN), {QStringLiteral("--port"), QStringLiteral("sim"),
                                                   QStringLiteral("--config-dir"), dir.path()});
        if (!program.waitForFinished(20000)) {
            state.SkipWithError("the program did not paint within 20 s");
            program.kill();
            return;
        }
        const QByteArray out = program.readAllStandardOutput();
        const int at = out.indexOf("first-paint ");
        if (at < 0) {
            state.SkipWithError("the program reported no first paint");
            return;
        }
        const long long painted = out.mid(at + 12).trimmed().toLongLong();
        state.SetIterationTime(static_cast<double>(painted - started) / 1e9);
    }
    state.counters["library_files"] = kLibraryFiles;
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Iterations(5)->Repetitions(3)->Unit(benchmark::kMillisecond);

} // namespace
