// Comparing the race with a previous race or a plan: the difference column,
// the comparison's times and its curve on the graph.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "race/comparison.h"
#include "race_fixture.h"
#include "res/strings.h"
#include "tests/core/file_test_util.h"

namespace qv {
namespace {

using filetest::ScratchDir;
using filetest::WriteBytes;
using testing::EnteredSection;

// A race file of one section from 0 to km, computed by speed at pace.
std::string EvenPlan(const char* km, int pace) {
  return std::string("Plan\r\n2\r\n0\r\n0\r\n0\r\n0\r\n1\r\n") + "0\r\n0\r\n0\r\n" +
         km + "\r\n0\r\n0\r\n" + std::to_string(pace) + "\r\n";
}

class Comparison : public testing::RaceFixture {
 protected:
  void Compare(const std::string& bytes) {
    ASSERT_TRUE(dir.Ok());
    ASSERT_TRUE(WriteBytes(dir.File("cmp.txt"), bytes));
    ASSERT_TRUE(dlg.LoadComparison(dir.File("cmp.txt")));
  }
  std::vector<std::string> Differences() {
    std::vector<std::string> cells;
    for (int r = 0; r < platform.List().GetItemCount(); ++r)
      cells.push_back(Cell(r, 8));
    return cells;
  }

  ScratchDir dir;
};

// Berlin 2022 against an even 02分52秒 a km: the plan takes
// Trunc(42.195 * 17200) = 725754, 2:00:57.54; at 5 km it is at
// Trunc(725754 * 5 / 42.195) = 86000, 14:20.00.
TEST_F(Comparison, MarathonAgainstAnEvenPlan) {
  Enter({{0, 5, 0, 0, 85400, 0, 0},            // 14:14
         {5, 10, 0, 85400, 170300, 0, 0},      // 28:23
         {10, 21.0975, 0, 170300, 359100, 0, 0},  // 59:51
         {21.0975, 30, 0, 359100, 514000, 0, 0},  // 1:25:40
         {30, 42.195, 0, 514000, 726900, 0, 0}});  // 2:01:09
  Compare(EvenPlan("42.195", 17200));
  Compute(0, 0);
  // 10 km: 170300 - 172000; half: 359100 - Trunc(725754 * 21.0975 / 42.195)
  // = 359100 - 362877; 30 km: 514000 - 516000; finish 726900 - 725754.
  EXPECT_EQ(Differences(),
            (std::vector<std::string>{"-00分06秒00", "-00分17秒00",
                                      "-00分37秒77", "-00分20秒00",
                                      "+00分11秒46", "+00分11秒46"}));
  EXPECT_EQ(platform.List().Columns().at(8).header, "比較差");
}

// Five 2 km sections, 5 s lost at the start of the third, against 04分00秒
// a km over 10 km (240000, so 48000 per 2 km; the plan has no loss, so it
// is the same gross and net).
// Gross arrivals 47000 95000 143500 191000 239900.
// Net: the loss comes out from the third section on:
// 47000 95000 143000 190500 239400.
TEST_F(Comparison, FiveSectionsAgainstAPlanGrossAndNet) {
  Enter({{0, 2, 0, 0, 47000, 0, 0},
         {2, 4, 0, 47000, 95000, 0, 0},
         {4, 6, 500, 95500, 143500, 0, 0},
         {6, 8, 0, 143500, 191000, 0, 0},
         {8, 10, 0, 191000, 239900, 0, 0}});
  Compare(EvenPlan("10", 24000));
  struct Case {
    int calcMode;
    std::vector<std::string> differences;
  };
  const Case cases[] = {
      {0,
       {"-00分10秒00", "-00分10秒00", "-00分05秒00", "-00分10秒00",
        "-00分01秒00", "-00分01秒00"}},
      {1,
       {"-00分10秒00", "-00分10秒00", "-00分10秒00", "-00分15秒00",
        "-00分06秒00", "-00分06秒00"}},
  };
  for (const Case& c : cases) {
    Compute(0, c.calcMode);
    EXPECT_EQ(Differences(), c.differences) << c.calcMode;
  }
}

// A plan that ends at 6 km has no time at 8 and 10 km: those cells stay
// empty; at 6 km it is Trunc(6 * 24000) = 144000 against 150000, a minute
// behind.
TEST_F(Comparison, NoTimeBeyondTheComparisonsEnd) {
  Enter({{0, 6, 0, 0, 150000, 0, 0},
         {6, 8, 0, 150000, 200000, 0, 0},
         {8, 10, 0, 200000, 250000, 0, 0}});
  Compare(EvenPlan("6", 24000));
  Compute(0, 0);
  EXPECT_EQ(Differences(),
            (std::vector<std::string>{"+01分00秒00", "", "", ""}));
}

// A zero-length section (a loss at 5 km) holds no point: 5 km is where the
// first section arrives, 7 km lies in the third, which departs at 30500:
// 30500 + Trunc(29500 * 2 / 5) = 42300.
TEST(ComparisonTimes, AZeroLengthSectionHoldsNoPoint) {
  ComparisonTimes race;
  race.count = 3;
  race.startKm = {0, 5, 5};
  race.endKm = {5, 5, 10};
  race.departure = {0, 30000, 30500};
  race.arrival = {30000, 30500, 60000};
  EXPECT_EQ(TimeAt(race, 5), 30000);
  EXPECT_EQ(TimeAt(race, 7), 42300);
  EXPECT_EQ(TimeAt(race, 10), 60000);
  EXPECT_EQ(TimeAt(race, 0), std::nullopt);  // no section starts below 0
  EXPECT_EQ(TimeAt(race, 10.5), std::nullopt);
}

TEST(ComparisonTimes, DifferenceText) {
  const std::pair<int, const char*> cases[] = {
      {0, "00分00秒00"},     {1230, "+00分12秒30"},
      {-500, "-00分05秒00"}, {-6000 * 61 - 1, "-61分00秒01"},
      {INT_MIN, "-357913分56秒47"}};
  for (const auto& [difference, text] : cases)
    EXPECT_EQ(DifferenceText(difference), text) << difference;
}

// Reading a comparison changes nothing of the race; a refused one is
// reported as a refused load is; dropping it gives the list as before.
TEST_F(Comparison, ReadAndDroppedWithoutTouchingTheRace) {
  Enter({{0, 5, 0, 0, 90000, 0, 0}});
  dlg.OnUserEdit(IDC_EVENT_NAME);
  Compute(0, 0);
  const auto rows = platform.List().Rows();
  ASSERT_TRUE(dir.Ok());
  ASSERT_TRUE(WriteBytes(dir.File("bad.txt"), "X\r\n0\r\n0\r\n0\r\n0\r\n0\r\n46\r\n"));
  EXPECT_FALSE(dlg.LoadComparison(dir.File("bad.txt")));
  EXPECT_EQ(platform.messages, std::vector<std::string>{kMsgBadSectionCount});
  EXPECT_FALSE(dlg.HasComparison());

  Compare(EvenPlan("5", 18000));
  EXPECT_TRUE(dlg.IsModified());
  EXPECT_EQ(platform.List().Rows(), rows);  // shown at the next compute
  Compute(0, 0);
  EXPECT_EQ(Cell(0, 8), "00分00秒00");
  EXPECT_EQ(dlg.m_nSections, 1);
  EXPECT_EQ(dlg.m_arrival[0], 90000);

  dlg.DropComparison();
  EXPECT_EQ(platform.List().GetColumnCount(), 8);
  Compute(0, 0);
  EXPECT_EQ(platform.List().Rows(), rows);
  EXPECT_TRUE(dlg.IsModified());
}

// Without a comparison the graph is drawn as before; with one, a dashed
// curve in its own colour ends where the comparison ends: here the plan's
// 240000 at 10 km is the latest time, so the top right corner.
TEST_F(Comparison, GraphCurveAndAxes) {
  Enter({{0, 5, 0, 0, 110000, 0, 0}, {5, 10, 0, 110000, 230000, 0, 0}});
  platform.ClearSurface(IDC_GRAPH);
  Compute(0, 0);
  const std::vector<headless::DrawOp> before = platform.Surface(IDC_GRAPH);
  Compare(EvenPlan("10", 24000));
  dlg.DropComparison();
  platform.ClearSurface(IDC_GRAPH);
  Compute(0, 0);
  EXPECT_TRUE(platform.Surface(IDC_GRAPH) == before);

  Compare(EvenPlan("10", 24000));
  for (int axis : {0, 1}) {
    platform.ClearSurface(IDC_GRAPH);
    Compute(0, 0, 0, axis);
    const auto& ops = platform.Surface(IDC_GRAPH);
    int dashed = 0;
    const headless::DrawOp* last = nullptr;
    for (const headless::DrawOp& op : ops) {
      if (op.kind == headless::DrawOp::Kind::CreatePen &&
          op.style == PenStyle::Dash)
        dashed = op.handle;
      if (op.kind == headless::DrawOp::Kind::LineTo && dashed != 0 &&
          op.pen == dashed)
        last = &op;
    }
    ASSERT_NE(last, nullptr) << axis;
    // The plot's top right corner: the frame's first line ends at its
    // bottom left, the second at its bottom right ...
    int right = 0, top = 1 << 30;
    for (const headless::DrawOp& op : ops) {
      if (op.kind != headless::DrawOp::Kind::LineTo || op.pen != 0) continue;
      right = std::max(right, op.x);
      top = std::min(top, op.y);
    }
    EXPECT_EQ(last->x, right) << axis;
    EXPECT_EQ(last->y, top) << axis;
  }
}

// The printed table carries the ninth column: the nine headers in order
// on the page, the time columns a full eighth of the width apart as without
// a comparison.
TEST_F(Comparison, PrintedTableHasTheNinthColumn) {
  Enter({{0, 5, 0, 0, 90000, 0, 0}});
  Compare(EvenPlan("5", 18000));
  Compute(0, 0);
  auto job = std::make_unique<doubles::PrintJob>(2400, 100000);
  auto record = job->record();
  platform.printJobs.push_back(std::move(job));
  dlg.OnPrint();
  const std::vector<std::string> headers = {
      "区間",     "出発",     "到着",         "ロスタイム", "出発時間",
      "到着時間", "ラップタイム", "速度/ｋｍ", "比較差"};
  std::vector<int> x;
  for (const headless::DrawOp& op : record->ops) {
    if (op.kind == headless::DrawOp::Kind::TextOut &&
        x.size() < headers.size() && op.text == headers[x.size()])
      x.push_back(op.x);
  }
  ASSERT_EQ(x.size(), headers.size());
  EXPECT_TRUE(std::is_sorted(x.begin(), x.end()));
  const int unit = (2400 - 100) / 8;
  EXPECT_EQ(x[5] - x[4], unit);
  EXPECT_EQ(x[8], 7 * unit);  // where the speed column starts without
  bool printedDifference = false;
  for (const headless::DrawOp& op : record->ops)
    printedDifference |= op.text == "00分00秒00" && op.x == x[8];
  EXPECT_TRUE(printedDifference);
}

}  // namespace
}  // namespace qv
