// A full update of the side panels after a document change (hint 0), as when a cursor is dragged with
// the wheel: the cursor row, the channel parameters and the KU table (which ignores hint 0) all hear it.
#include "document/command_table.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "panels/forms/form_ku.h"
#include "panels/forms/form_params.h"
#include "panels/forms/form_set.h"
#include "panels/host/qt_panel_host.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_panels_update";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    (void)app;
}

void runUpdates(benchmark::State& state, bool repaint)
{
    ensureApplication();
    CVarnelDoc doc;
    doc.selectRange(4);   // 1 km: the magnifier list has five entries
    doc.traces[P1].shown = true;
    CCommandTable commands;
    CSettings settings;
    QWidget window;
    window.resize(1280, 800);
    CQtPanelHost host(&window);
    auto* row = new CFormSet(doc, &window);
    row->setGeometry(0, 0, 1094, 24);
    auto* params = new CFormParams(doc, &window);
    params->setGeometry(1094, 24, 186, 195);
    auto* ku = new CFormKU(doc, commands, settings, host, "/nonexistent/", &window);
    ku->setGeometry(1094, 219, 186, 500);
    window.show();
    QApplication::processEvents();

    int sample = 0;
    for (auto _ : state) {
        // A new cursor position each time, so every read-out text changes.
        doc.cursor1 = (sample++ % 500) * 2.0;
        doc.updateAllViews(nullptr, kHintRedraw);
        if (repaint)
            QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}

// The panels' own work: read-outs, spins, lists.
void BM_PanelsUpdateAfterHint0(benchmark::State& state) { runUpdates(state, false); }
BENCHMARK(BM_PanelsUpdateAfterHint0)->Unit(benchmark::kMicrosecond);

// The same with the repaint of what changed (offscreen).
void BM_PanelsUpdateAndRepaint(benchmark::State& state) { runUpdates(state, true); }
BENCHMARK(BM_PanelsUpdateAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
