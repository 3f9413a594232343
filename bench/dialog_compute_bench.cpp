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
#include "res/resource.h"

static void BM_DialogCompute45(benchmark::State& state) {
  qv::qt::Platform platform;
  qv::CRaceDlg dlg(platform);
  qv::qt::MainDialog& window = platform.Open(dlg);
  dlg.m_nSections = dlg.m_nInputIndex = qv::MAX_SECTIONS;
  for (int i = 0; i < qv::MAX_SECTIONS; ++i) {
    dlg.m_startKm[i] = i * 1.0;
    dlg.m_endKm[i] = i + 1.0;
    dlg.m_loss[i] = 100 * (i % 3);
    dlg.m_arrival[i] = 30000 * (i + 1) + 300 * i;
    dlg.m_departure[i] = i == 0 ? 0 : dlg.m_arrival[i - 1] + dlg.m_loss[i];
    dlg.m_lap[i] = 30000;
    dlg.m_pace[i] = 30000;
  }
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

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
