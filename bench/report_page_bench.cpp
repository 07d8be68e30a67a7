// The printed report page drawn into an A4 PDF at 1200 dpi, as "Сохранить отчет в PDF..." and
// varnel-cli report write it: five 500-point traces with both cursors, a five-row channel table, the
// header and the readouts. Arg 1: every sample noise over the whole byte range (the worst case to stroke).
#include "display/main_screen_series.h"
#include "display/screen_state.h"
#include "document/varnel_doc.h"
#include "measurement/channel_table.h"
#include "measurement/report/report_pdf.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_report_page";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Never destroyed: a static application torn down after Qt's own statics crashes at exit.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

std::uint8_t sample(int i, int n, bool noise, std::mt19937& rng)
{
    if (noise)
        return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(rng));
    const double x = static_cast<double>(i) / n;
    double v = 100 * std::exp(-x * 40) - 20 * std::exp(-x * 3);
    for (const double at : {0.21, 0.43, 0.67, 0.9})
        v += 60 * std::exp(-std::pow((x - at) * 200, 2)) - 30 * std::exp(-std::pow((x - at - 0.01) * 200, 2));
    v += std::uniform_int_distribution<int>(-3, 3)(rng);
    return static_cast<std::uint8_t>(static_cast<std::int8_t>(std::clamp(v, -128.0, 127.0)));
}

void BM_ReportPagePdf(benchmark::State& state)
{
    ensureApplication();
    const bool noise = state.range(0) != 0;
    std::mt19937 rng(11);
    CVarnelDoc doc;
    doc.scale = 1000;
    doc.cursor1 = 200;
    doc.cursor2 = 700;
    for (Trace& t : doc.traces) {
        t.shown = true;
        t.memScale = 1000;
        t.name = "reflectogram";
        for (int i = 0; i < kWindowSamples; ++i)
            t.samples[static_cast<std::size_t>(i)] = sample(i, kWindowSamples, noise, rng);
        for (int i = 0; i < kRawSamples; ++i)
            t.raw[static_cast<std::size_t>(i)] = sample(i, kRawSamples, noise, rng);
    }
    CScreenState screen;
    main_screen::configure(screen, doc);
    main_screen::rebuild(screen, doc);
    const ChannelTable table = buildChannelTable(doc);

    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = reportPdf(doc, table, screen);
        bytes = static_cast<std::size_t>(pdf.size());
        benchmark::DoNotOptimize(pdf.constData());
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReportPagePdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
