// Start-up benchmark: the time from process start to the main window's
// first paint, and the process's peak resident memory, for quorvane and
// for an empty Qt dialog shown the same way (the floor for any Qt program
// on this machine). Both are the benchmark's own programs, which end right
// after their first paint (bench/first_paint.h); they run alternately, N
// times each.
//
//   startup_bench [runs] [quorvane_first_paint] [empty_dialog]
//
// Needs a display: run it under xvfb-run (bench/startup_bench.sh does) or
// with QT_QPA_PLATFORM=offscreen.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
  double ms = 0;
  long maxRssKb = 0;
};

// Runs the program once; false when it could not start or failed.
bool RunOnce(const std::string& path, Sample& out, const char* arg = nullptr) {
  std::string arg0 = path;
  std::string arg1 = arg != nullptr ? arg : "";
  char* argv[] = {arg0.data(), arg != nullptr ? arg1.data() : nullptr, nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int rc =
      posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  const auto end = std::chrono::steady_clock::now();
  out.ms = std::chrono::duration<double, std::milli>(end - start).count();
  out.maxRssKb = usage.ru_maxrss;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename T>
T Median(std::vector<T> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  const std::string quorvane = argc > 2 ? argv[2] : QV_QUORVANE_EXE;
  const std::string empty = argc > 3 ? argv[3] : QV_EMPTY_DIALOG_EXE;

  std::vector<double> qMs, eMs, jMs;
  std::vector<long> qRss, eRss, jRss;
  Sample s;
  // One warm-up run each fills the page cache and the font caches.
  if (!RunOnce(empty, s) || !RunOnce(quorvane, s)) {
    std::fprintf(stderr, "startup_bench: a program failed to run\n");
    return 1;
  }
  for (int i = 0; i < runs; ++i) {
    if (!RunOnce(empty, s)) return 1;
    eMs.push_back(s.ms);
    eRss.push_back(s.maxRssKb);
    if (!RunOnce(quorvane, s)) return 1;
    qMs.push_back(s.ms);
    qRss.push_back(s.maxRssKb);
    if (!RunOnce(empty, s, "--japanese-label")) return 1;
    jMs.push_back(s.ms);
    jRss.push_back(s.maxRssKb);
  }
  const double qt = Median(qMs), et = Median(eMs);
  const long qm = Median(qRss), em = Median(eRss);
  const double jt = Median(jMs);
  const long jm = Median(jRss);
  std::printf("start to first paint, median of %d runs each\n", runs);
  std::printf("  %-14s %8.1f ms   max RSS %7.1f MiB\n", "empty dialog", et,
              em / 1024.0);
  std::printf("  %-14s %8.1f ms   max RSS %7.1f MiB\n", "quorvane", qt,
              qm / 1024.0);
  std::printf("  ratio          %8.2f x    memory  %7.2f x\n", qt / et,
              static_cast<double>(qm) / static_cast<double>(em));
  std::printf("for reference, the empty dialog with one Japanese label:\n");
  std::printf("  %-14s %8.1f ms   max RSS %7.1f MiB\n", "one label", jt,
              jm / 1024.0);
  std::printf("  quorvane / it  %8.2f x    memory  %7.2f x\n", qt / jt,
              static_cast<double>(qm) / static_cast<double>(jm));
  return 0;
}
