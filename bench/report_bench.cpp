// quorvane-report, process start included: one race by itself (list text,
// PNG graph, PDF page), and a batch of 1,000 varied races generated into a
// temporary folder, run with one job per processor. Each run's peak memory
// (maximum resident set) is reported as peak_rss_MiB.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

const std::string kSample = QV_SOURCE_DIR "/examples/sample-10km.txt";

// Runs the tool with standard output to /dev/null; the peak resident set
// in KiB, or -1 when it fails.
long RunReport(std::vector<std::string> args) {
  args.insert(args.begin(), QV_REPORT_EXE);
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
  if (rc != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return -1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss;
}

// The temporary folder: races/ with 1,000 race files of 1 to 45 sections,
// every setting and a loss now and then; out/ for the outputs.
class Batch {
 public:
  Batch() {
    char pattern[] = "/tmp/quorvane-report-bench-XXXXXX";
    m_dir = mkdtemp(pattern) != nullptr ? pattern : "";
    fs::create_directories(m_dir / "races");
    fs::create_directories(m_dir / "out");
    for (int i = 0; i < 1000; ++i) {
      const std::string path =
          (m_dir / "races" / ("race" + std::to_string(i) + ".txt")).string();
      std::ofstream(path, std::ios::binary) << Race(i);
      m_races.push_back(path);
    }
  }
  ~Batch() {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
  }
  const std::vector<std::string>& Races() const { return m_races; }
  std::string Out(const std::string& name) const {
    return (m_dir / "out" / name).string();
  }

 private:
  static std::string Race(int i) {
    const int sections = 1 + (i * 7) % 45;
    std::string text = "Race " + std::to_string(i) + "\r\n";
    for (int setting : {i % 3, (i / 3) % 2, (i / 6) % 5, 0, (i / 30) % 2})
      text += std::to_string(setting) + "\r\n";
    text += std::to_string(sections) + "\r\n";
    long arrival = 0;
    int km = 0;
    for (int s = 0; s < sections; ++s) {
      const int length = 1 + (i + s) % 5;
      const long loss = (i + s) % 7 == 0 ? 500 + 100 * (s % 9) : 0;
      const long pace = 18000 + 113 * ((i * 13 + s * 29) % 120);  // 3-5:15/km
      const long departure = arrival + loss;
      const long lap = pace * length;
      arrival = departure + lap;
      for (long v : {static_cast<long>(km), loss, departure,
                     static_cast<long>(km + length), arrival, lap, pace})
        text += std::to_string(v) + "\r\n";
      km += length;
    }
    return text + "comment " + std::to_string(i) + "\r\r\n";
  }

  fs::path m_dir;
  std::vector<std::string> m_races;
};

const Batch& TheBatch() {
  static const Batch batch;
  return batch;
}

void Run(benchmark::State& state, std::vector<std::string> args,
         std::size_t races) {
  const std::vector<std::string>& all = TheBatch().Races();
  if (races == 1)
    args.push_back(kSample);
  else
    args.insert(args.end(), all.begin(), all.begin() + races);
  long peak = 0;
  for (auto _ : state) {
    const long rss = RunReport(args);
    if (rss < 0) {
      state.SkipWithError("quorvane-report failed");
      return;
    }
    peak = std::max(peak, rss);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(races));
  state.counters["peak_rss_MiB"] = static_cast<double>(peak) / 1024.0;
}

void OneRace(benchmark::State& state, const char* output) {
  std::vector<std::string> args;
  if (std::string(output) == "png") args = {"--graph", TheBatch().Out("one.png")};
  if (std::string(output) == "pdf") args = {"--pdf", TheBatch().Out("one.pdf")};
  Run(state, args, 1);
}

void ThousandRaces(benchmark::State& state, const char* output) {
  std::vector<std::string> args;
  if (std::string(output) == "png")
    args = {"--graph", TheBatch().Out("{name}.png")};
  if (std::string(output) == "pdf")
    args = {"--pdf", TheBatch().Out("{name}.pdf")};
  Run(state, args, 1000);
}

}  // namespace

BENCHMARK_CAPTURE(OneRace, ListText, "list")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(OneRace, Png, "png")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(OneRace, Pdf, "pdf")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ThousandRaces, ListText, "list")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ThousandRaces, Png, "png")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ThousandRaces, Pdf, "pdf")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
