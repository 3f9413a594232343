// Loading race files into the real window (offscreen): the time until the
// loaded race is on screen, and a key typed into the comment afterwards.
// The largest files the load accepts are the worst cases; the sample race
// is the baseline.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/qt/qt_dialog.h"
#include "app/qt/qt_platform.h"
#include "app/race_dlg.h"
#include "bench/qt_bench_main.h"
#include "file/race_file.h"
#include "res/resource.h"

namespace {

// A file of exactly the load's size limit.
std::string LargestFile(const std::string& eventName,
                        const std::string& commentUnit) {
  std::string bytes = eventName + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  while (bytes.size() + commentUnit.size() <= qv::kRaceFileMaxBytes)
    bytes += commentUnit;
  return bytes;
}

std::string WriteTemp(const std::string& name, const std::string& bytes) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("qv-load-bench-" + name))
          .string();
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string SampleRace() {
  std::ifstream in(QV_SOURCE_DIR "/examples/sample-10km.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Window {
  qv::qt::Platform platform;
  qv::CRaceDlg dlg{platform};
  qv::qt::MainDialog* window = &platform.Open(dlg);
};

void Load(benchmark::State& state, const std::string& bytes) {
  const std::string path = WriteTemp(std::to_string(bytes.size()), bytes);
  for (auto _ : state) {
    state.PauseTiming();
    Window w;
    QApplication::processEvents();
    state.ResumeTiming();
    if (!w.dlg.LoadRaceFile(path)) state.SkipWithError("refused");
    w.window->repaint();
    QApplication::processEvents();
  }
  std::filesystem::remove(path);
}

void TypeIntoComment(benchmark::State& state, const std::string& bytes) {
  const std::string path = WriteTemp("type", bytes);
  Window w;
  if (!w.dlg.LoadRaceFile(path)) state.SkipWithError("refused");
  QWidget* comment = w.window->Control(qv::IDC_COMMENT);
  comment->setFocus();
  QTest::keyClick(comment, Qt::Key_End, Qt::ControlModifier);
  for (auto _ : state) {
    QTest::keyClick(comment, Qt::Key_A);
    comment->repaint();
  }
  std::filesystem::remove(path);
}

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// A key typed into the comment, then a section appended, round after
// round: every round is a step of the undo history with a comment of its
// own. The resident memory afterwards, against the same window after the
// load alone (rounds = 0).
void EditRounds(benchmark::State& state, const std::string& bytes) {
  const std::string path = WriteTemp("rounds", bytes);
  const auto rounds = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Window w;
    if (!w.dlg.LoadRaceFile(path)) state.SkipWithError("refused");
    QWidget* comment = w.window->Control(qv::IDC_COMMENT);
    comment->setFocus();
    for (int k = 0; k < rounds; ++k) {
      QTest::keyClick(comment, Qt::Key_A);
      w.dlg.OnCommand(qv::IDC_APPEND);
    }
    QApplication::processEvents();
    state.counters["rss_MiB"] = static_cast<double>(ResidentKiB()) / 1024.0;
  }
  std::filesystem::remove(path);
}

const std::string kOneLineAscii = LargestFile("Race", "x");
const std::string kOneLineJapanese = LargestFile("Race", "\x82\xA0");  // あ
const std::string kBlankLines = LargestFile("Race", "\r\r\n");
const std::string kLongName =
    std::string(qv::kRaceFileMaxBytes - 20, 'n') + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

}  // namespace

BENCHMARK_CAPTURE(Load, sample_race, SampleRace())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, one_line_comment_ascii_16MiB, kOneLineAscii)
    ->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Load, one_line_comment_japanese_16MiB, kOneLineJapanese)
    ->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Load, blank_lines_16MiB, kBlankLines)
    ->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Load, event_name_16MiB, kLongName)
    ->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(TypeIntoComment, sample_race, SampleRace())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TypeIntoComment, one_line_comment_ascii_16MiB, kOneLineAscii)
    ->Unit(benchmark::kMillisecond)->Iterations(20);

BENCHMARK_CAPTURE(EditRounds, one_line_comment_ascii_16MiB, kOneLineAscii)
    ->Arg(0)->Arg(40)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
