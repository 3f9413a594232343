// quorvane-report in process, for what the runs of the real program in
// tests/qt/report_e2e_test.cpp do not see: a batch that goes on past a
// failing standard output, and how an output file is replaced.
#include "report/report.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "file_test_util.h"
#include "report/output_file.h"

namespace qv::report {
namespace {

using filetest::ReadBytes;

// Keeps what is written; when full, fails as a full disk does.
struct StringSink final : Sink {
  bool Write(std::string_view more) override {
    if (!full) text += more;
    errno = full ? ENOSPC : 0;
    return !full;
  }
  bool full = false;
  std::string text;
};

TEST(ReportRun, FailingStandardOutputFailsTheRunButEveryRaceIsDone) {
  filetest::ScratchDir dir;
  const char race[] = "R\r\n1\r\n0\r\n0\r\n0\r\n1\r\n1\r\n"
                      "0\r\n0\r\n0\r\n5\r\n0\r\n150000\r\n0\r\n";
  ASSERT_TRUE(filetest::WriteBytes(dir.File("a.txt"), race));
  ASSERT_TRUE(filetest::WriteBytes(dir.File("b.txt"), race));
  Options o;
  std::string error;
  ASSERT_EQ(ParseArgs({"--csv", dir.File("{name}.csv"), dir.File("a.txt"),
                       dir.File("b.txt")},
                      o, error),
            ParseResult::Ok);
  StringSink out, err;
  out.full = true;
  EXPECT_EQ(report::Run(o, RunContext{}, out, err), 1);
  EXPECT_EQ(err.text.find("出力ファイルに書き込めません: 標準出力"), 0u);
  EXPECT_NE(ReadBytes(dir.File("a.csv")).find("全区間"), std::string::npos);
  EXPECT_NE(ReadBytes(dir.File("b.csv")).find("全区間"), std::string::npos);
}

TEST(ReportRun, OutputFilesReplacedWholeOrNotAtAll) {
  filetest::ScratchDir dir;
  const std::string old = dir.File("old.csv");
  ASSERT_TRUE(filetest::WriteBytes(old, "older\n"));
  ASSERT_EQ(::chmod(old.c_str(), 0640), 0);
  std::filesystem::create_symlink(old, dir.File("link.csv"));
  std::filesystem::create_directory(dir.File("folder"));
  // A folder cannot be replaced; through a link the file it names is, and
  // keeps its mode; a new file gets the umask's.
  EXPECT_EQ(WriteOutputFile(dir.File("folder"), "new\n", 027).status,
            OutputStatus::OpenFailed);
  for (const char* name : {"link.csv", "new.csv"})
    EXPECT_EQ(WriteOutputFile(dir.File(name), "new\n", 027).status,
              OutputStatus::Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.csv")));
  EXPECT_EQ(ReadBytes(old), "new\n");
  for (const char* name : {"old.csv", "new.csv"}) {
    struct stat st {};
    ASSERT_EQ(::stat(dir.File(name).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << name;
  }
  // A name of any length the folder takes can be replaced (the temporary
  // name beside it must fit too, even cut inside a character); one byte
  // more cannot be made.
  std::string wide;
  for (int i = 0; i < 85; ++i) wide += "区";
  for (const std::string& name : {std::string(249, 'b'), wide})
    for (const char* bytes : {"old\n", "new\n"})
      EXPECT_EQ(WriteOutputFile(dir.File(name), bytes, 022).status,
                OutputStatus::Ok);
  EXPECT_EQ(WriteOutputFile(dir.File(std::string(256, 'd')), "x", 022).status,
            OutputStatus::OpenFailed);
  EXPECT_EQ(ReadBytes(dir.File(wide)), "new\n");
  // No temporary file is left behind.
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{std::string(249, 'b'),
                                                     "folder", "link.csv",
                                                     "new.csv", "old.csv", wide}));
}

// -j is capped whatever it asks, and so is the default.
TEST(ReportRun, WorkersAreCapped) {
  for (const char* jobs : std::initializer_list<const char*>{
           "1", "64", "65", "1024", nullptr}) {
    Options o;
    std::string error;
    ParseArgs(jobs ? std::vector<std::string>{"-j", jobs, "r"}
                   : std::vector<std::string>{"r"}, o, error);
    EXPECT_EQ(o.jobs, jobs ? std::min(std::stoi(jobs), 64)
                           : std::clamp<int>(std::thread::hardware_concurrency(), 1, 64));
  }
}

// --track N counts a record's tracks from 1; one it lacks refuses the
// record, not the command line.
TEST(ReportRun, TrackPicksARecordsTrack) {
  filetest::ScratchDir dir;
  const auto track = [](const char* lon, const char* end) {
    return std::string("<trk><trkseg><trkpt lat=\"0\" lon=\"") + lon +
           "\"><time>2024-05-01T00:00:00Z</time></trkpt><trkpt lat=\"0\" "
           "lon=\"" + end + "\"><time>2024-05-01T00:10:00Z</time></trkpt>"
           "</trkseg></trk>";
  };
  const std::string gpx = dir.File("walk.gpx");
  ASSERT_TRUE(filetest::WriteBytes(
      gpx, "<gpx>" + track("0", "0.01") + track("1", "1.02") + "</gpx>"));
  const struct {
    const char* value;  // nullptr: no --track
    ParseResult parsed;
    int status;
    const char* text;  // in the list, or the refusal
  } cases[] = {
      {nullptr, ParseResult::Ok, 0, "1.112"},
      {"2", ParseResult::Ok, 0, "2.224"},
      {"3", ParseResult::Ok, 1, "トラック 3 はありません"},
      {"0", ParseResult::UsageError, 0, "--track"},
      {"1x", ParseResult::UsageError, 0, "--track"},
      {"", ParseResult::UsageError, 0, "--track"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "none");
    std::vector<std::string> args = {gpx};
    if (c.value) args = {"--track", c.value, gpx};
    Options o;
    std::string error;
    ASSERT_EQ(ParseArgs(args, o, error), c.parsed) << error;
    if (c.parsed != ParseResult::Ok) {
      EXPECT_NE(error.find(c.text), std::string::npos) << error;
      continue;
    }
    StringSink out, err;
    EXPECT_EQ(report::Run(o, RunContext{}, out, err), c.status);
    EXPECT_NE((c.status == 0 ? out.text : err.text).find(c.text),
              std::string::npos)
        << out.text << err.text;
  }
}

}  // namespace
}  // namespace qv::report
