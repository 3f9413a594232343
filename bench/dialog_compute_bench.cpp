// 計算実行 on the real Qt dialog (offscreen): the calculation, the 46 list
// rows, the graph drawn onto the graph area's image and the repaint of the
// graph area and the list. compute_bench is the same race on the headless
// platform.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QWidget>

#include "app/qt/qt_platform.h"
#include "app/race_dlg.h"
#include "bench/qt_bench_main.h"
#include "bench/race45.h"
#include "res/resource.h"

static void BM_DialogCompute45(benchmark::State& state) {
  qv::qt::Platform platform;
  qv::CRaceDlg dlg(platform);
  qv::qt::MainDialog& window = platform.Open(dlg);
  Enter45Sections(dlg);
  QWidget* graph = window.Control(qv::IDC_GRAPH);
  auto* list = qobject_cast<QAbstractItemView*>(
      window.Control(qv::IDC_SECTION_LIST));
  for (auto _ : state) {
    dlg.OnCommand(qv::IDC_COMPUTE);
    graph->repaint();
    list->viewport()->repaint();
    benchmark::DoNotOptimize(list->model()->rowCount());
  }
}
BENCHMARK(BM_DialogCompute45)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
