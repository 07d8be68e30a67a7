// Series building of the main screen for five shown traces, with one KU and with axis sections.
#include "display/main_screen_series.h"
#include "display/overview_series.h"
#include "display/screen_state.h"
#include "document/varnel_doc.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

void fillDocument(CVarnelDoc& doc)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> noise(0, 255);
    doc.scale = 4000;
    doc.zoom = 2;
    doc.zoomCenter = 1500;
    doc.cursor1 = 1200;
    doc.cursor2 = 1700;
    doc.difference = true;
    doc.selectedTrace = 0;
    for (Trace& t : doc.traces) {
        t.shown = true;
        t.memScale = 2000;
        t.yOffset = 20;
        for (auto& s : t.samples)
            s = static_cast<std::uint8_t>(noise(rng));
        for (auto& r : t.raw)
            r = static_cast<std::uint8_t>(noise(rng));
    }
}

void BM_MainScreenRebuild(benchmark::State& state)
{
    CVarnelDoc doc;
    fillDocument(doc);
    if (state.range(0)) {
        for (int i = 0; i < 8; ++i)
            doc.sections.add({1.4 + 0.05 * i, 50000, 50000.0 * i, 50000.0 * (i + 1)});
        doc.gridMode = doc.sectionsLoaded = true;
    }
    CScreenState screen;
    main_screen::configure(screen, doc);
    for (auto _ : state) {
        main_screen::rebuild(screen, doc);
        benchmark::DoNotOptimize(screen.getSeries(6).points.data());
    }
}
BENCHMARK(BM_MainScreenRebuild)->ArgName("sections")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OverviewRebuild(benchmark::State& state)
{
    CVarnelDoc doc;
    fillDocument(doc);
    CScreenState screen;
    overview_screen::configure(screen, doc);
    for (auto _ : state) {
        overview_screen::rebuild(screen, doc);
        benchmark::DoNotOptimize(screen.getSeries(10).points.data());
    }
}
BENCHMARK(BM_OverviewRebuild)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
