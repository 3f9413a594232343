// OnCompute with 45 sections on the headless platform: the calculation and
// all 46 list rows.
#include <benchmark/benchmark.h>

#include "app/headless/headless_platform.h"
#include "app/race_dlg.h"
#include "bench/race45.h"

static void BM_Compute45(benchmark::State& state) {
  qv::headless::Platform platform;
  qv::CRaceDlg dlg(platform);
  dlg.OnInitDialog();
  Enter45Sections(dlg);
  for (auto _ : state) {
    dlg.OnCompute();
    platform.ClearSurface(1047);
    benchmark::DoNotOptimize(platform.List().GetItemCount());
  }
}
BENCHMARK(BM_Compute45)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
