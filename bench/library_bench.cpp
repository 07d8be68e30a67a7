// The library panel: listing a folder of 10,000 reflectogram files (the header of each, its date, name
// order, the cells), in the core and as the panel fills its list; and selecting a row with its preview
// drawn.
#include "display/widgets/screen_wnd.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "files/library/reflectogram_listing.h"
#include "files/widgets/form_memory.h"
#include "panels/controls/report_ctrl.h"

#include <QApplication>
#include <QEventLoop>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kFiles = 10000;

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_library";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
}

// A folder of 10,000 files of every range, made once and removed at exit.
class Folder {
public:
    Folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "varnel-bench-XXXXXX").string();
        path = std::string(mkdtemp(pattern.data())) + "/";
        for (int i = 0; i < kFiles; ++i) {
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
    static Folder f;
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
    Panel()
    {
        ensureApplication();
        LibrarySetup setup;
        setup.saveDir = folder().path;
        form = std::make_unique<CFormMemory>(doc, commands, settings, std::move(setup));
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
