// quorvane-report in process, for what the end-to-end runs in
// tests/qt/report_e2e_test.cpp cannot see: option values, a batch that goes
// on past a failing standard output, and how an output file is replaced.
#include "report/report.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "report/output_file.h"

namespace qv::report {
namespace {

TEST(ReportOptions, ValuesAndRefusals) {
  const std::vector<std::vector<std::string>> refused = {
      {"--unit", "mph", "a.txt"},
      {"--priority"},
      {"--graph", "g.jpg", "a.txt"},
      {"--size", "640", "--graph", "g.png", "a.txt"},
      {"--size", "8x8", "--graph", "g.png", "a.txt"},
      {"--size", "99999999999x5", "--graph", "g.png", "a.txt"},
      {"--pdf", "-", "a.txt"},
      {"-x", "a.txt"},
      {"-j", "2x", "a.txt"},
      {}};
  for (const auto& args : refused) {
    Options o;
    std::string error;
    EXPECT_EQ(ParseArgs(args, o, error), ParseResult::UsageError)
        << args.size();
    EXPECT_FALSE(error.empty());
  }
  Options o;
  std::string error;
  ASSERT_EQ(
      ParseArgs({"--priority", "speed", "--condition=net", "--unit", "100m",
                 "--axis", "reversed", "--graph", "x/{name}.Svg", "--size",
                 "640x480", "--entered", "r.txt", "-j2", "--", "-s.txt"},
                o, error),
      ParseResult::Ok)
      << error;
  EXPECT_EQ((std::vector<int>{o.priority, o.calcMode, o.speedUnit, o.graphAxis,
                              o.width, o.height, o.jobs}),
            (std::vector<int>{2, 1, 3, 1, 640, 480, 2}));
  EXPECT_EQ(o.graphFormat, GraphFormat::Svg);
  EXPECT_TRUE(o.entered);
  EXPECT_EQ(o.raceFiles, (std::vector<std::string>{"r.txt", "-s.txt"}));
}

class StringSink final : public Sink {
 public:
  bool Write(std::string_view text) override {
    errno = failWith;
    if (failWith == 0) text_ += text;
    return failWith == 0;
  }
  std::string text_;
  int failWith = 0;
};

class ReportRun : public ::testing::Test {
 protected:
  ReportRun() { std::filesystem::create_directories(dir); }
  ~ReportRun() override { std::filesystem::remove_all(dir); }
  std::string Write(const std::string& name, const char* bytes) {
    std::ofstream((dir / name).string(), std::ios::binary) << bytes;
    return (dir / name).string();
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      ("qv-report-" + std::to_string(getpid()) +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(ReportRun, FailingStandardOutputFailsTheRunButEveryRaceIsDone) {
  const char race[] =
      "R\r\n1\r\n0\r\n0\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n5\r\n0\r\n150000\r\n0"
      "\r\n";
  Options o;
  std::string error;
  ASSERT_EQ(ParseArgs({"--csv", (dir / "{name}.csv").string(),
                       Write("a.txt", race), Write("b.txt", race)},
                      o, error),
            ParseResult::Ok);
  StringSink out, err;
  out.failWith = ENOSPC;
  EXPECT_EQ(report::Run(o, RunContext{}, out, err), 1);
  EXPECT_EQ(err.text_.find("出力ファイルに書き込めません: 標準出力"), 0u)
      << err.text_;
  EXPECT_NE(Read(dir / "a.csv").find("全区間"), std::string::npos);
  EXPECT_NE(Read(dir / "b.csv").find("全区間"), std::string::npos);
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
    const OutputResult r = WriteOutputFile(c.path, "new\n", 027);
    EXPECT_EQ(r.status, c.status) << c.path;
    EXPECT_EQ(r.error != 0, c.status != OutputStatus::Ok) << c.path;
  }
  // Through the link the file it names is replaced, keeping its mode; a
  // new file gets the umask's; no temporary file is left behind.
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.csv"));
  EXPECT_EQ(Read(old), "new\n");
  for (const auto* name : {"old.csv", "new.csv"}) {
    struct stat st {};
    ASSERT_EQ(::stat((dir / name).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator()),
            4);  // old, link, folder, new
}

}  // namespace
}  // namespace qv::report
