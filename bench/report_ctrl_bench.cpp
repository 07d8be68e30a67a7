#include "widgets/report_ctrl.h"

#include <QApplication>
#include <QImage>
#include <QItemSelectionModel>

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// The list is a widget: one application for the whole run, without a display.
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_report_ctrl";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    (void)app;
}

void addRows(CReportCtrl& list, int rows)
{
    for (int i = 0; i < rows; ++i) {
        list.addCell(i, 0, QString("рефлектограмма_%1").arg(i));
        list.addCell(i, 1, QStringLiteral("12.03.24"));
        list.addCell(i, 2, QStringLiteral("10:15:00"));
    }
    list.updateCount();
}

// The library refilling a folder's list: clear, add cell by cell, count once.
void BM_RefillList(benchmark::State& state)
{
    ensureApplication();
    CReportCtrl list;
    for (const char* title : {"Файл", "Дата", "Время"})
        list.insertColumn(title);
    list.resize(600, 400);
    list.show();
    for (auto _ : state) {
        list.clear();
        addRows(list, static_cast<int>(state.range(0)));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RefillList)->Arg(500)->Arg(5000);

// Deleting half the rows of a long list, first selected row after first selected row: every other
// row picked one by one (argument 1, the worst case: one selection range per row) or one block
// (argument 0).
void BM_DeleteSelected(benchmark::State& state)
{
    ensureApplication();
    const int rows = static_cast<int>(state.range(0));
    const bool scattered = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        CReportCtrl list;
        for (const char* title : {"Файл", "Дата", "Время"})
            list.insertColumn(title);
        addRows(list, rows);
        if (scattered) {
            for (int i = 0; i < rows / 2; ++i)
                list.setRowSelected(2 * i, true);
        } else {
            // As a shift-click leaves it: one range.
            const QItemSelection block(list.reportModel().index(0, 0), list.reportModel().index(rows / 2 - 1, 0));
            list.selectionModel()->select(block, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        state.ResumeTiming();
        for (int row = list.getFirstSelected(); row >= 0; row = list.getFirstSelected())
            list.deleteRow(row);
        benchmark::DoNotOptimize(list.getItemCount());
    }
}
BENCHMARK(BM_DeleteSelected)->Args({2000, 0})->Args({2000, 1})->Unit(benchmark::kMillisecond);

// Painting a page of a long list scrolled to its middle.
void BM_PaintLongList(benchmark::State& state)
{
    ensureApplication();
    CReportCtrl list;
    for (const char* title : {"Файл", "Дата", "Время"})
        list.insertColumn(title);
    addRows(list, 5000);
    list.resize(600, 400);
    list.show();
    list.scrollTo(list.reportModel().index(2500, 0));
    QImage image(600, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        list.render(&image);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintLongList)->Unit(benchmark::kMicrosecond);

} // namespace
