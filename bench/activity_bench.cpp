// Importing a day-long activity recorded at 1 Hz (86,400 points, a lap
// every km, about 259 km): read and split every 10 km. The files are made
// in memory; the peak of the heap during one import is reported against
// the file's size (expat's own buffer, one chunk, is not counted).
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "race/numtext.h"
#include "file/activity.h"
#include "tests/core/fit_writer.h"

namespace {

std::atomic<std::size_t> g_heap{0};
std::atomic<std::size_t> g_peak{0};

constexpr int kSeconds = 86'400;
constexpr std::uint32_t kT0 = 1'000'000'000;
constexpr int kCmPerSecond = 300;  // 3 m/s

// Positions along a meridian, 3 m a second.
double LatAt(int s) { return 35.0 + s * 3.0 / 111'195.0; }

std::int32_t Semicircles(double deg) {
  return static_cast<std::int32_t>(std::llround(deg / 180.0 * 2147483648.0));
}

std::string DayFit() {
  using namespace qv::fitwriter;
  Writer w;
  DefineActivity(w);
  for (int s = 0; s < kSeconds; ++s) {
    Record(w, kT0 + s, static_cast<std::uint32_t>(s) * kCmPerSecond,
           Semicircles(LatAt(s)),
           Semicircles(139.0));
    if ((s + 1) % 333 == 0 || s + 1 == kSeconds) {
      const int from = (s / 333) * 333;
      Lap(w, kT0 + from, (s + 1 - from) * 1000,
          (s + 1 - from) * kCmPerSecond);
    }
  }
  return w.File();
}

std::string Time(int s) {
  return "2024-05-01T" + qv::Format02d(s / 3600 % 24) + ":" +
         qv::Format02d(s / 60 % 60) + ":" + qv::Format02d(s % 60) + "Z";
}

std::string DayGpx() {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"bench\" "
      "xmlns=\"http://www.topografix.com/GPX/1/1\" "
      "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/"
      "TrackPointExtension/v1\">\n<trk><name>day</name><trkseg>\n";
  char lat[32];
  for (int s = 0; s < kSeconds; ++s) {
    std::snprintf(lat, sizeof lat, "%.7f", LatAt(s));
    out += "<trkpt lat=\"";
    out += lat;
    out += "\" lon=\"139.0000000\"><ele>12.4</ele><time>" + Time(s) +
           "</time><extensions><gpxtpx:TrackPointExtension><gpxtpx:hr>142"
           "</gpxtpx:hr></gpxtpx:TrackPointExtension></extensions></trkpt>\n";
  }
  out += "</trkseg></trk></gpx>\n";
  return out;
}

void Import(benchmark::State& state, const std::string& bytes,
            const char* name) {
  const qv::ActivitySplit split{qv::ActivitySplit::Kind::EveryKm, 10.0, {}, {}};
  std::size_t peak = 0;
  for (auto _ : state) {
    const std::size_t before = g_heap.load();
    g_peak = before;
    const qv::ActivityReadResult read = qv::ReadActivity(bytes, name);
    const qv::ActivityRaceResult race = qv::ActivityToRace(*read.record, split);
    if (!race.race || race.race->sections.size() != 26) {
      state.SkipWithError("the import failed");
      return;
    }
    benchmark::DoNotOptimize(race.race->sections.back().arrival);
    peak = g_peak.load() - before;
  }
  state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
  state.counters["peak_heap_per_file"] =
      static_cast<double>(peak) / static_cast<double>(bytes.size());
}

void BM_ImportFitDay(benchmark::State& state) {
  static const std::string fit = DayFit();
  Import(state, fit, "day.fit");
}
BENCHMARK(BM_ImportFitDay)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ImportGpxDay(benchmark::State& state) {
  static const std::string gpx = DayGpx();
  Import(state, gpx, "day.gpx");
}
BENCHMARK(BM_ImportGpxDay)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The yardstick: gpsbabel (when installed) converting the same FIT file to
// GPX, wall time of the whole process. The import above should be at least
// five times faster.
void BM_GpsbabelFitDayToGpx(benchmark::State& state) {
  static const std::string fit = DayFit();
  char dir[] = "/tmp/qv-activity-bench-XXXXXX";
  if (mkdtemp(dir) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string in = std::string(dir) + "/day.fit";
  const std::string out = std::string(dir) + "/day.gpx";
  if (FILE* f = std::fopen(in.c_str(), "wb")) {
    std::fwrite(fit.data(), 1, fit.size(), f);
    std::fclose(f);
  }
  const char* argv[] = {"gpsbabel", "-i", "garmin_fit", "-f", in.c_str(),
                        "-o",       "gpx", "-F",        out.c_str(), nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "gpsbabel", nullptr, nullptr,
                     const_cast<char* const*>(argv), environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      state.SkipWithError("gpsbabel is not installed or failed");
      break;
    }
  }
  std::remove(out.c_str());
  std::remove(in.c_str());
  rmdir(dir);
}
BENCHMARK(BM_GpsbabelFitDayToGpx)->Unit(benchmark::kMillisecond)
    ->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();

}  // namespace

// The heap in use, for the peak counter above.
void* operator new(std::size_t n) {
  void* p = std::malloc(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  const std::size_t now = g_heap += malloc_usable_size(p);
  std::size_t peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
  return p;
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  g_heap -= malloc_usable_size(p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

BENCHMARK_MAIN();
