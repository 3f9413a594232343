// quorvane-report's options, its CSV and its run on the headless platform,
// with a renderer that only records what it was asked.
#include "report/report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "res/resource.h"

namespace qv::report {
namespace {

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
      {{"--help"}, ParseResult::Help},
      {{"race.txt", "-h"}, ParseResult::Help},
      {{}, ParseResult::UsageError},
      {{"a.txt", "b.txt"}, ParseResult::UsageError},
      {{"--unit", "mph", "a.txt"}, ParseResult::UsageError},
      {{"--priority"}, ParseResult::UsageError},
      {{"--graph", "g.jpg", "a.txt"}, ParseResult::UsageError},
      {{"--size", "640", "a.txt"}, ParseResult::UsageError},
      {{"--size", "8x8", "a.txt"}, ParseResult::UsageError},
      {{"--size", "640x-4", "a.txt"}, ParseResult::UsageError},
      {{"--size", "99999999999x5", "a.txt"}, ParseResult::UsageError},
      {{"--pdf", "-", "a.txt"}, ParseResult::UsageError},
      {{"--entered=yes", "a.txt"}, ParseResult::UsageError},
      {{"--frobnicate", "a.txt"}, ParseResult::UsageError},
      {{"-"}, ParseResult::Ok},  // a file named "-"
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + ' ';
    SCOPED_TRACE(joined);
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
                       "100m", "--axis", "reversed", "--size", "640x480",
                       "--entered", "r.txt"},
                      o, error),
            ParseResult::Ok);
  EXPECT_EQ(o.priority, 2);
  EXPECT_EQ(o.calcMode, 1);
  EXPECT_EQ(o.speedUnit, 3);
  EXPECT_EQ(o.graphAxis, 1);
  EXPECT_EQ(o.width, 640);
  EXPECT_EQ(o.height, 480);
  EXPECT_TRUE(o.entered);
  EXPECT_EQ(o.raceFile, "r.txt");
}

TEST(ReportCsv, QuotesOnlyWhatNeedsIt) {
  headless::ListView list;
  for (int k = 0; k < 8; ++k) list.InsertColumn(k, k == 0 ? "a,b" : "h", 10);
  list.InsertItem(0, "say \"hi\"");
  list.SetItemText(1, "two\nlines");
  list.SetItemText(2, "plain");
  const std::string csv = CsvText(list);
  EXPECT_EQ(csv,
            "\"a,b\",h,h,h,h,h,h,h\r\n"
            "\"say \"\"hi\"\"\",\"two\nlines\",plain,,,,,\r\n");
  EXPECT_EQ(ListText(list), "say \"hi\"\ttwo\nlines\tplain\t\t\t\t\t\n");
}

class FakeRenderer final : public Renderer {
 public:
  Rect ScreenGraphArea() override {
    ++screenAsked;
    return Rect{0, 0, 300, 200};
  }
  bool SaveGraph(const std::string& path,
                 const std::vector<headless::DrawOp>& ops, int w,
                 int h) override {
    graphPath = path;
    graphOps = ops;
    width = w;
    height = h;
    return true;
  }
  std::unique_ptr<IPrintJob> OpenPdf(const std::string&) override {
    auto job = std::make_unique<headless::PrintJob>(2480, 3508);
    pdfRecord = job->record();
    return job;
  }
  int screenAsked = 0;
  std::string graphPath;
  std::vector<headless::DrawOp> graphOps;
  int width = 0;
  int height = 0;
  std::shared_ptr<headless::PrintJob::Record> pdfRecord;
};

class ReportRun : public ::testing::Test {
 protected:
  ReportRun() {
    dir = std::filesystem::temp_directory_path() /
          ("quorvane-report-test-" +
           std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    race = (dir / "race.txt").string();
    std::ofstream(race, std::ios::binary)
        << "Spring\r\n1\r\n0\r\n0\r\n0\r\n1\r\n1\r\n"
           "0\r\n0\r\n0\r\n5\r\n0\r\n150000\r\n0\r\n";
  }
  ~ReportRun() override { std::filesystem::remove_all(dir); }

  std::filesystem::path dir;
  std::string race;
  FakeRenderer renderer;
  std::ostringstream out, err;
};

TEST_F(ReportRun, ComputesWithTheLoadedSettings) {
  Options o;
  o.raceFile = race;
  ASSERT_EQ(report::Run(o, renderer, out, err), 0) << err.str();
  // Lap priority from the file: 25:00 over 5 km.
  EXPECT_EQ(out.str(),
            "1\t0 km\t5 km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t"
            "00時25分00秒00\t05分00秒00\n"
            "全区間\t0 km\t5 km\t00分00秒00\t00時00分00秒00\t00時25分00秒00\t"
            "00時25分00秒00\t05分00秒00\n");
  EXPECT_EQ(renderer.screenAsked, 0);  // no graph asked for: no font needed
}

TEST_F(ReportRun, GraphAtScreenSizeOrGivenSizeAndPdf) {
  Options o;
  o.raceFile = race;
  o.graphPath = (dir / "g.png").string();
  o.pdfPath = (dir / "p.pdf").string();
  ASSERT_EQ(report::Run(o, renderer, out, err), 0) << err.str();
  EXPECT_EQ(renderer.screenAsked, 1);
  EXPECT_EQ(renderer.width, 300);
  EXPECT_EQ(renderer.height, 200);
  // The file asks for the reversed axis: the distance caption is red.
  bool redDistanceCaption = false;
  for (const auto& op : renderer.graphOps) {
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

  o.width = 640;
  o.height = 480;
  o.pdfPath.clear();
  ASSERT_EQ(report::Run(o, renderer, out, err), 0);
  EXPECT_EQ(renderer.screenAsked, 1);
  EXPECT_EQ(renderer.width, 640);
  EXPECT_EQ(renderer.height, 480);
}

TEST_F(ReportRun, RefusalsExitOneWithTheMessage) {
  Options o;
  o.raceFile = (dir / "none" / "x.txt").string();
  EXPECT_EQ(report::Run(o, renderer, out, err), 1);
  EXPECT_NE(err.str().find("ファイルが開けません"), std::string::npos);
  EXPECT_TRUE(out.str().empty());

  o.raceFile = race;
  o.csvPath = (dir / "none" / "x.csv").string();
  err.str("");
  EXPECT_EQ(report::Run(o, renderer, out, err), 1);
  EXPECT_NE(err.str().find("出力ファイルが開けません"), std::string::npos);
}

}  // namespace
}  // namespace qv::report
