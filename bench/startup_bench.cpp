// Start-up of the program to its first painted frame, as a user waits for it: the process is started,
// builds the window with every pane (the overview on) and a library folder of 1,000 reflectograms, and
// reports the moment its main screen was first painted (VARNEL_EXIT_AFTER_FIRST_PAINT), against a bare
// main window started the same way. Needs a display: run it under xvfb-run.
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

// Starts `program` with `args` and returns the time from its start to its first painted frame, in
// seconds; a negative value with `error` set when it did not report one.
double timeToFirstPaint(const char* program, const QStringList& args, const char*& error)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VARNEL_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    const long long started = monotonicNs();
    process.start(QString::fromLocal8Bit(program), args);
    if (!process.waitForFinished(20000)) {
        error = "the program did not paint within 20 s";
        process.kill();
        return -1;
    }
    const QByteArray out = process.readAllStandardOutput();
    const int at = out.indexOf("first-paint ");
    if (at < 0) {
        error = "the program reported no first paint";
        return -1;
    }
    return static_cast<double>(out.mid(at + 12).trimmed().toLongLong() - started) / 1e9;
}

bool ensureApplication(benchmark::State& state)
{
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("needs a display: run under xvfb-run");
        return false;
    }
    static int argc = 1;
    static char name[] = "bench_startup";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return true;
}

// The baseline: a bare main window (menu bar, one toolbar, empty central widget) started the same way.
void BM_BareWindow(benchmark::State& state)
{
    if (!ensureApplication(state))
        return;
    for (auto _ : state) {
        const char* error = nullptr;
        const double t = timeToFirstPaint(BARE_BIN, {}, error);
        if (t < 0) {
            state.SkipWithError(error);
            return;
        }
        state.SetIterationTime(t);
    }
}
BENCHMARK(BM_BareWindow)->UseManualTime()->Iterations(10)->Repetitions(3)->Unit(benchmark::kMillisecond);

// The program, each start right after one of the bare window, so that the ratio compares starts under
// the same load: `bare_ms` is the bare window's mean over the same iterations, `ratio` the program's
// time over it.
void BM_StartupToFirstPaint(benchmark::State& state)
{
    if (!ensureApplication(state))
        return;
    QTemporaryDir dir;
    prepare(dir.path());
    double bare = 0;
    double program = 0;
    for (auto _ : state) {
        const char* error = nullptr;
        const double b = timeToFirstPaint(BARE_BIN, {}, error);
        const double t = b < 0 ? b
                               : timeToFirstPaint(VARNEL_BIN, {QStringLiteral("--port"), QStringLiteral("sim"),
                                                               QStringLiteral("--config-dir"), dir.path()},
                                                  error);
        if (t < 0) {
            state.SkipWithError(error);
            return;
        }
        bare += b;
        program += t;
        state.SetIterationTime(t);
    }
    state.counters["library_files"] = kLibraryFiles;
    state.counters["bare_ms"] = bare * 1000 / static_cast<double>(state.iterations());
    state.counters["ratio"] = program / bare;
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Iterations(10)->Repetitions(3)->Unit(benchmark::kMillisecond);

} // namespace
