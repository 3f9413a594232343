// OnCompute with 45 sections on the headless platform: the calculation and
// all 46 list rows.
#include <benchmark/benchmark.h>

#include "app/headless/headless_platform.h"
#include "app/race_dlg.h"

static void BM_Compute45(benchmark::State& state) {
  qv::headless::Platform platform;
  qv::CRaceDlg dlg(platform);
  dlg.OnInitDialog();
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
  for (auto _ : state) {
    dlg.OnCompute();
    platform.ClearSurface(1047);
    benchmark::DoNotOptimize(platform.List().GetItemCount());
  }
}
BENCHMARK(BM_Compute45)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
