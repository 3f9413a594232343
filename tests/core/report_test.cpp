// quorvane-report's options, its CSV, its output files and its runs on the
// headless platform, with a renderer that only records what it was asked.
#include "report/report.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <thread>

#include "report/output_file.h"
#include "tests/doubles/test_platform.h"
#include "res/resource.h"

namespace qv::report {
namespace {

std::string Joined(const std::vector<std::string>& args) {
  std::string joined;
  for (const auto& a : args) joined += a + ' ';
  return joined;
}

// The usage errors that must leave every file alone are run end to end in
// tests/qt/report_e2e_test.cpp.
TEST(ReportOptions, ParseTable) {
  struct Case {
    std::vector<std::string> args;
    ParseResult result;
  };
  const Case cases[] = {
      {{"race.txt"}, ParseResult::Ok},
      {{"--priority", "speed", "--condition=net", "--unit", "100m", "--axis",
        "reversed", "race.txt"},
       ParseResult::Ok},
      {{"--csv", "-", "--graph", "g.SVG", "--size", "640x480", "race.txt"},
       ParseResult::Ok},
      {{"a.txt", "b.txt", "-j", "3"}, ParseResult::Ok},
      {{"--csv", "-", "a.txt", "b.txt"}, ParseResult::Ok},
      {{"--pdf", "out/{name}.pdf", "a.txt", "b/a.txt.txt"}, ParseResult::Ok},
      {{"--help"}, ParseResult::Help},
      {{"race.txt", "-h"}, ParseResult::Help},
      {{}, ParseResult::UsageError},
      {{"--unit", "mph", "a.txt"}, ParseResult::UsageError},
      {{"--priority"}, ParseResult::UsageError},
      {{"--graph", "g.jpg", "a.txt"}, ParseResult::UsageError},
      {{"--size", "640", "a.txt"}, ParseResult::UsageError},
      {{"--size", "8x8", "--graph", "g.png", "a.txt"}, ParseResult::UsageError},
      {{"--size", "640x-4", "--graph", "g.png", "a.txt"},
       ParseResult::UsageError},
      {{"--size", "99999999999x5", "--graph", "g.png", "a.txt"},
       ParseResult::UsageError},
      {{"--pdf", "-", "a.txt"}, ParseResult::UsageError},
      {{"--frobnicate", "a.txt"}, ParseResult::UsageError},
      {{"-x", "a.txt"}, ParseResult::UsageError},
      {{"-j", "2x", "a.txt"}, ParseResult::UsageError},
      {{"--csv", "x/../a.txt", "./a.txt"}, ParseResult::UsageError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    Options o;
    std::string error;
    EXPECT_EQ(ParseArgs(c.args, o, error), c.result);
    if (c.result == ParseResult::UsageError) {
      EXPECT_FALSE(error.empty());
    }
  }
  Options o;
  std::string error;
  ASSERT_EQ(ParseArgs({"--priority", "speed", "--condition=net", "--unit",
                       "100m", "--axis", "reversed", "--graph", "x/{name}.Svg",
                       "--size", "640x480", "--entered", "r.txt", "-j2", "--",
                       "-s.txt"},
                      o, error),
            ParseResult::Ok)
      << error;
  EXPECT_EQ(o.priority, 2);
  EXPECT_EQ(o.calcMode, 1);
  EXPECT_EQ(o.speedUnit, 3);
  EXPECT_EQ(o.graphAxis, 1);
  EXPECT_EQ(o.graphFormat, GraphFormat::Svg);
  EXPECT_EQ(o.width, 640);
  EXPECT_EQ(o.height, 480);
  EXPECT_TRUE(o.entered);
  EXPECT_EQ(o.jobs, 2);
  EXPECT_EQ(o.raceFiles, (std::vector<std::string>{"r.txt", "-s.txt"}));
}

TEST(ReportOptions, OutputNames) {
  struct Case {
    const char* pattern;
    const char* race;
    const char* name;
  } const cases[] = {
      {"out/{name}.csv", "races/spring 10k.txt", "out/spring 10k.csv"},
      {"{name}-{name}.png", "a.b.txt", "a.b-a.b.png"},
      {"fixed.pdf", "x/y.txt", "fixed.pdf"},
      {"{name", "x/y.txt", "{name"},
      {"{name}.csv", "noext", "noext.csv"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OutputName(c.pattern, c.race), c.name) << c.pattern;
}

// Records what it is asked; pictures are a line naming their size and the
// number of calls drawn. Every other picture takes a little longer, so that
// races finish out of order when several run at once.
class FakeRenderer final : public offscreen::Renderer {
 public:
  Rect ScreenGraphArea() override {
    ++screenAsked;
    return Rect{0, 0, 300, 200};
  }
  bool RenderImage(offscreen::ImageFormat format, int w, int h,
                   const offscreen::DrawFunction& draw,
                   std::string& bytes) override {
    if (calls++ % 2 == 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(3));
    doubles::PrintJob job(w, h);
    draw(job.Dc());
    job.EndPage();
    const std::lock_guard<std::mutex> guard(lock);
    lastOps = job.record()->ops;
    bytes = std::string(format == offscreen::ImageFormat::Svg ? "svg " : "png ") +
            std::to_string(w) + "x" + std::to_string(h) + " " +
            std::to_string(lastOps.size()) + "\n";
    return true;
  }
  std::unique_ptr<IPrintJob> NewPdfJob(std::string& bytes) override {
    bytes = "%PDF\n";
    auto job = std::make_unique<doubles::PrintJob>(2480, 3508);
    const std::lock_guard<std::mutex> guard(lock);
    pdfRecord = job->record();
    return job;
  }
  std::atomic<int> screenAsked{0};
  std::atomic<int> calls{0};
  std::mutex lock;
  std::vector<headless::DrawOp> lastOps;
  std::shared_ptr<doubles::PrintJob::Record> pdfRecord;
};

class StringSink final : public Sink {
 public:
  bool Write(std::string_view text) override {
    if (failWith != 0) {
      errno = failWith;
      return false;
    }
    text_ += text;
    return true;
  }
  std::string text_;
  int failWith = 0;
};

const char kRace[] =
    "Spring\r\n1\r\n0\r\n0\r\n0\r\n1\r\n1\r\n"
    "0\r\n0\r\n0\r\n5\r\n0\r\n150000\r\n0\r\n";
const char kTooManySections[] = "X\r\n0\r\n0\r\n0\r\n0\r\n0\r\n46\r\n";

class ReportRun : public ::testing::Test {
 protected:
  ReportRun() {
    dir = std::filesystem::temp_directory_path() /
          ("quorvane-report-test-" + std::to_string(getpid()) +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    race = Write("race.txt", kRace);
    context.renderer = &renderer;
  }
  ~ReportRun() override { std::filesystem::remove_all(dir); }

  std::string Write(const std::string& name, const char* bytes) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  int RunWith(const std::vector<std::string>& args) {
    Options o;
    std::string error;
    EXPECT_EQ(ParseArgs(args, o, error), ParseResult::Ok) << error;
    return report::Run(o, context, out, err);
  }

  std::filesystem::path dir;
  std::string race;
  FakeRenderer renderer;
  RunContext context;
  StringSink out, err;
};

TEST_F(ReportRun, ComputesWithTheLoadedSettings) {
  ASSERT_EQ(RunWith({race}), 0) << err.text_;
  // Lap priority from the file: 25:00 over 5 km.
  EXPECT_EQ(out.text_,
            "1\t0 km\t5 km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t"
            "00時25分00秒00\t05分00秒00\n"
            "全区間\t0 km\t5 km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t"
            "00時25分00秒00\t05分00秒00\n");
  EXPECT_EQ(renderer.screenAsked, 0);  // no graph asked for: no font needed
}

TEST_F(ReportRun, GraphAtScreenSizeOrGivenSizeAndPdf) {
  const std::string png = (dir / "g.png").string();
  const std::string pdf = (dir / "p.pdf").string();
  ASSERT_EQ(RunWith({"--graph", png, "--pdf", pdf, race}), 0) << err.text_;
  EXPECT_EQ(renderer.screenAsked, 1);
  EXPECT_EQ(Read(png).substr(0, 12), "png 300x200 ");
  EXPECT_EQ(Read(pdf), "%PDF\n");
  // The file asks for the reversed axis: the distance caption is red.
  bool redDistanceCaption = false;
  for (const auto& op : renderer.lastOps) {
    if (op.kind == headless::DrawOp::Kind::TextOut && op.text == "距離(km)")
      redDistanceCaption = op.textColor == Rgb{192, 0, 0};
  }
  EXPECT_TRUE(redDistanceCaption);
  ASSERT_TRUE(renderer.pdfRecord);
  EXPECT_EQ(renderer.pdfRecord->docName, "Quorvane");
  bool hasTotals = false;
  for (const auto& op : renderer.pdfRecord->ops)
    hasTotals |=
        op.kind == headless::DrawOp::Kind::TextOut && op.text == "全区間";
  EXPECT_TRUE(hasTotals);

  ASSERT_EQ(RunWith({"--graph", png, "--size", "640x480", race}), 0);
  EXPECT_EQ(renderer.screenAsked, 1);
  EXPECT_EQ(Read(png).substr(0, 12), "png 640x480 ");
}

TEST_F(ReportRun, RefusalsExitOneWithTheMessage) {
  const std::string missing = (dir / "none" / "x.txt").string();
  EXPECT_EQ(RunWith({missing}), 1);
  EXPECT_EQ(err.text_, "ファイルが開けません: " + missing + "\n");
  EXPECT_TRUE(out.text_.empty());

  const std::string csv = (dir / "none" / "x.csv").string();
  err.text_.clear();
  EXPECT_EQ(RunWith({"--csv", csv, race}), 1);
  EXPECT_EQ(err.text_.find("出力ファイルが開けません: " + csv), 0u)
      << err.text_;
}

TEST_F(ReportRun, StandardOutputFailureIsReportedAndFilesStillWritten) {
  const std::string other = Write("other.txt", kRace);
  out.failWith = ENOSPC;
  EXPECT_EQ(RunWith({"--csv", (dir / "{name}.csv").string(), race, other}), 1);
  EXPECT_EQ(err.text_.find("出力ファイルに書き込めません: 標準出力"), 0u)
      << err.text_;
  EXPECT_TRUE(std::filesystem::exists(dir / "race.csv"));
  EXPECT_TRUE(std::filesystem::exists(dir / "other.csv"));
}

TEST_F(ReportRun, OutputFilesReplacedWholeOrNotAtAll) {
  const std::string old = Write("old.csv", "older\n");
  ASSERT_EQ(::chmod(old.c_str(), 0640), 0);
  std::filesystem::create_symlink(old, dir / "link.csv");
  std::filesystem::create_directory(dir / "folder");
  const struct {
    std::string path;
    OutputStatus status;
  } cases[] = {
      {"/dev/full", OutputStatus::WriteFailed},
      {(dir / "none" / "x.csv").string(), OutputStatus::OpenFailed},
      {(dir / "folder").string(), OutputStatus::OpenFailed},
      {(dir / "link.csv").string(), OutputStatus::Ok},
      {(dir / "new.csv").string(), OutputStatus::Ok},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const OutputResult r = WriteOutputFile(c.path, "new\n", 027);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.error != 0, c.status != OutputStatus::Ok);
  }
  // Through the link the file it names is replaced, keeping its mode; a
  // new file gets the umask's.
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.csv"));
  EXPECT_EQ(Read(old), "new\n");
  struct stat st {};
  ASSERT_EQ(::stat(old.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  ASSERT_EQ(::stat((dir / "new.csv").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // No temporary file left behind.
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir))
    ++entries;
  EXPECT_EQ(entries, 5u);  // race, old, link, folder, new
}

}  // namespace
}  // namespace qv::report
