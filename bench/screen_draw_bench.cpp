// Composing the trace screen: a 1280 x 600 main screen with five 500-point traces, grid, labels and
// both cursors, against a bare QPainter frame of the same size. Every frame brings new reflectograms,
// as acquisition does (the screen composes only what changed, so the same data again would cost
// nothing); a cursor move alone is measured apart.
#include "display/main_screen_series.h"
#include "display/screen_series.h"
#include "display/widgets/screen_wnd.h"
#include "document/varnel_doc.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <random>

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_screen_draw";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Never destroyed: a static application torn down after Qt's own statics crashes at exit.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

// A reflectogram as the instrument delivers it: the probe pulse, a decaying tail, a few reflections and
// a little noise; or, for the worst case, noise over the whole byte range.
std::uint8_t sample(int i, int n, bool fullNoise, std::mt19937& rng)
{
    if (fullNoise)
        return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(rng));
    const double x = static_cast<double>(i) / n;
    double v = 100 * std::exp(-x * 40) - 20 * std::exp(-x * 3);
    for (const double at : {0.21, 0.43, 0.67, 0.9})
        v += 60 * std::exp(-std::pow((x - at) * 200, 2)) - 30 * std::exp(-std::pow((x - at - 0.01) * 200, 2));
    v += std::uniform_int_distribution<int>(-3, 3)(rng);
    return static_cast<std::uint8_t>(static_cast<std::int8_t>(std::clamp(v, -128.0, 127.0)));
}

void fillDocument(CVarnelDoc& doc, bool fullNoise, std::mt19937& rng)
{
    doc.scale = 1000;
    doc.cursor1 = 200;
    doc.cursor2 = 700;
    int k = 0;
    for (Trace& t : doc.traces) {
        t.shown = true;
        t.memScale = 1000;
        t.yOffset = 30 * k++ - 60;
        for (int i = 0; i < kWindowSamples; ++i)
            t.samples[static_cast<std::size_t>(i)] = sample(i, kWindowSamples, fullNoise, rng);
        for (int i = 0; i < kRawSamples; ++i)
            t.raw[static_cast<std::size_t>(i)] = sample(i, kRawSamples, fullNoise, rng);
    }
}

// The application exists before the widget is built.
struct Application {
    Application() { ensureApplication(); }
};

struct Screen : Application {
    explicit Screen(bool fullNoise = false)
    {
        std::mt19937 rng(7);
        fillDocument(doc, fullNoise, rng);
        main_screen::configure(screen.state(), doc);
        screen.resizeScreen(0, 0, 1280, 600);
        main_screen::rebuild(screen.state(), doc);
        // The next reflectograms, swapped in every frame.
        const auto first = screen.state().series;
        fillDocument(doc, fullNoise, rng);
        main_screen::rebuild(screen.state(), doc);
        next = first;
    }
    // The other reflectograms on the screen: a new frame's series.
    void swapData() { std::swap(screen.state().series, next); }
    CVarnelDoc doc;
    CScreenWnd screen;
    std::deque<CArrPoints> next;
};

void BM_ScreenDraw(benchmark::State& state)
{
    Screen s(state.range(1) != 0);
    s.screen.state().captureMode = state.range(0) != 0;
    s.screen.draw();
    for (auto _ : state) {
        s.swapData();
        s.screen.draw();
    }
}
BENCHMARK(BM_ScreenDraw)->ArgNames({"capture", "fullNoise"})->Args({0, 0})->Args({1, 0})->Args({0, 1})
    ->Args({1, 1})->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Only the first cursor moves: the traces stay as they were drawn.
void BM_ScreenCursorMove(benchmark::State& state)
{
    Screen s(state.range(0) != 0);
    s.screen.draw();
    int x = 100;
    for (auto _ : state) {
        x = x == 100 ? 101 : 100;
        screen_series::setVerticalLine(s.screen.state(), screen_series::kCursor1Series, x);
        s.screen.draw();
    }
}
BENCHMARK(BM_ScreenCursorMove)->ArgName("fullNoise")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The grid and labels drawn afresh every time, as after a change of range or sections.
void BM_ScreenDrawNewGrid(benchmark::State& state)
{
    Screen s;
    double right = 1000;
    for (auto _ : state) {
        right = right == 1000 ? 1001 : 1000;
        s.screen.state().setXLabelRange(0, right);
        s.swapData();
        s.screen.draw();
    }
}
BENCHMARK(BM_ScreenDrawNewGrid)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Composition and the copy onto a shown window.
void BM_ScreenDrawAndPaint(benchmark::State& state)
{
    Screen s;
    s.screen.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        s.swapData();
        s.screen.draw();
        s.screen.repaint();
    }
}
BENCHMARK(BM_ScreenDrawAndPaint)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Reference: a black frame of the same size with five polylines, nothing else.
void BM_BareFrame(benchmark::State& state)
{
    ensureApplication();
    QImage img(1280, 600, QImage::Format_RGB32);
    std::mt19937 rng(7);
    std::vector<std::vector<QPoint>> lines(5);
    int k = 0;
    for (auto& l : lines) {
        for (int j = 0; j < 500; ++j)
            l.emplace_back(j * 1270 / 500,
                           300 - 2 * (static_cast<std::int8_t>(sample(j, 500, state.range(0) != 0, rng)) + 30 * k - 60));
        ++k;
    }
    for (auto _ : state) {
        img.fill(Qt::black);
        QPainter p(&img);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            p.setPen(QColor::fromHsv(static_cast<int>(i) * 60, 255, 255));
            p.drawPolyline(lines[i].data(), static_cast<int>(lines[i].size()));
        }
    }
}
BENCHMARK(BM_BareFrame)->ArgName("fullNoise")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
