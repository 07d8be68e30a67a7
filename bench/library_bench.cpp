// The library panel: listing a folder of 10,000 reflectogram files (the header of each, its date, name
// order, the cells), in the core and as the panel fills its list; a panel made on a folder of 5,000
// files until its list stands (run it under a display with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 to count
// the accessibility bridge in); and selecting a row with its preview drawn.
#include "display/widgets/screen_wnd.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "files/library/reflectogram_listing.h"
#include "files/widgets/form_memory.h"
#include "widgets/report_ctrl.h"
#include "panels/host/qt_panel_host.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kFiles = 10000;
constexpr int kStartFiles = 5000;

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_library";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Never destroyed: a static application torn down after Qt's own statics crashes at exit.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    // The accessibility bridge, where asked for, connects to its bus through the event loop: let it,
    // so that the figures count what it does.
    static const bool bridged = [] {
        if (qEnvironmentVariableIntValue("QT_LINUX_ACCESSIBILITY_ALWAYS_ON") == 0)
            return false;
        QElapsedTimer waited;
        waited.start();
        while (!QAccessible::isActive() && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return QAccessible::isActive();
    }();
    (void)bridged;
}

// A folder of `files` files of every range, made once and removed at exit.
class Folder {
public:
    explicit Folder(int files)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "varnel-bench-XXXXXX").string();
        path = std::string(mkdtemp(pattern.data())) + "/";
        for (int i = 0; i < files; ++i) {
            ReflectogramRecord r;
            r.scaleIndex = i % 11;
            r.pulseIndex = i % 12;
            r.kuThousandths = 1400 + i % 300;
            for (int k = 0; k < kRawSamples; ++k)
                r.samples[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>((k * 7 + i) % 200);
            std::ofstream(path + "line " + std::to_string(i) + ".tdr", std::ios::binary) << encodeReflectogram(r);
        }
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string path;
};

const Folder& folder()
{
    static Folder f(kFiles);
    return f;
}

const Folder& startFolder()
{
    static Folder f(kStartFiles);
    return f;
}

void BM_ListFolder(benchmark::State& state)
{
    const std::string& path = folder().path;
    std::vector<ReflectogramEntry> entries;
    for (auto _ : state) {
        listReflectograms(path, entries);
        for (const ReflectogramEntry& e : entries)
            benchmark::DoNotOptimize(reflectogramCells(e, false));
    }
    state.counters["files"] = static_cast<double>(entries.size());
}
BENCHMARK(BM_ListFolder)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

struct Panel {
    explicit Panel(const std::string& path = folder().path)
    {
        ensureApplication();
        LibrarySetup setup;
        setup.saveDir = path;
        form = std::make_unique<CFormMemory>(doc, commands, settings, host, std::move(setup));
        form->resize(1280, 500);
        form->show();
        waitListed();
    }
    void waitListed()
    {
        while (form->listing())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        QCoreApplication::processEvents();
    }
    CSettings settings;
    CVarnelDoc doc;
    CCommandTable commands;
    CQtPanelHost host;
    std::unique_ptr<CFormMemory> form;
};

// What the user waits for after hint 3 or a new folder: the folder listed into the panel's list.
void BM_PanelListsFolder(benchmark::State& state)
{
    Panel p;
    for (auto _ : state) {
        p.form->fillReflectogramList();
        p.waitListed();
    }
    state.counters["rows"] = p.form->reflectogramList().getItemCount();
}
BENCHMARK(BM_PanelListsFolder)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Start-up with a library of 5,000 files: the panel made, shown and its list filled, until every event
// it caused (the accessibility bridge's among them) has been handled.
void BM_StartWithFiveThousandFiles(benchmark::State& state)
{
    const std::string& path = startFolder().path;
    ensureApplication();
    int rows = 0;
    for (auto _ : state) {
        Panel p(path);
        QCoreApplication::processEvents();
        rows = p.form->reflectogramList().getItemCount();
    }
    state.counters["rows"] = rows;
    state.counters["accessibility"] = QAccessible::isActive() ? 1 : 0;
}
BENCHMARK(BM_StartWithFiveThousandFiles)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// A click on a row: the file read, its preview series filled and the preview screen composed.
void BM_SelectRowAndDrawPreview(benchmark::State& state)
{
    Panel p;
    CReportCtrl& list = p.form->reflectogramList();
    list.setCurrentIndex(list.model()->index(0, 1));
    p.commands.run(cmd::kPreview);
    const int before = p.form->previewScreen().drawCount();
    int row = 0;
    for (auto _ : state) {
        row = (row + 37) % list.getItemCount();
        list.setCurrentIndex(list.model()->index(row, 1));
    }
    state.counters["draws"] = p.form->previewScreen().drawCount() - before;
}
BENCHMARK(BM_SelectRowAndDrawPreview)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
