// Race files per second through quorvane-report, process start included:
// list text alone, with a PNG graph, and with a PDF page.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::string kSample = QV_SOURCE_DIR "/examples/sample-10km.txt";

bool RunReport(std::vector<std::string> args) {
  args.insert(args.begin(), QV_REPORT_EXE);
  args.push_back(kSample);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc =
      posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Report(benchmark::State& state, std::vector<std::string> args) {
  for (auto _ : state) {
    if (!RunReport(args)) {
      state.SkipWithError("quorvane-report failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations());
}

const std::string kOut = "/tmp/quorvane-report-bench";

}  // namespace

BENCHMARK_CAPTURE(Report, ListText, std::vector<std::string>{})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(Report, Png,
                  std::vector<std::string>{"--graph", kOut + ".png"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(Report, Pdf, std::vector<std::string>{"--pdf", kOut + ".pdf"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
