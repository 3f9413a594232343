// Comparing the race with a previous race or a plan: the difference column,
// the comparison's times and its curve on the graph.
#include "race/comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "race_fixture.h"
#include "res/strings.h"
#include "tests/core/file_test_util.h"

namespace qv::testing {
namespace {

using Texts = std::vector<std::string>;
using headless::DrawOp;

class Comparison : public RaceFixture {
 protected:
  // A plan of one section from 0 to km, computed by speed at pace.
  bool Compare(const std::string& km, int pace, const char* bytes = nullptr) {
    const std::string plan =
        "Plan\r\n2\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n" + km +
        "\r\n0\r\n0\r\n" + std::to_string(pace) + "\r\n";
    if (!filetest::WriteBytes(dir.File("c.txt"), bytes ? bytes : plan))
      return false;
    platform.openAnswers.push_back(dir.File("c.txt"));  // as the menu does
    dlg.OnOpenComparison();
    return dlg.HasComparison();
  }
  Texts Differences() {
    Texts cells;
    for (int r = 0; r < Rows(); ++r) cells.push_back(Cell(r, 8));
    return cells;
  }
  // Where the blue dashed curve ends, and the plot's top right corner.
  std::pair<int, int> CurveEnd() {
    int dashed = 0;
    std::pair<int, int> end{-1, -1};
    for (const DrawOp& op : platform.Surface(IDC_GRAPH)) {
      if (op.kind == DrawOp::Kind::CreatePen && op.style == PenStyle::Dash) {
        dashed = op.handle;
        EXPECT_TRUE((op.color == Rgb{0, 64, 224})) << "blue";
      }
      if (op.kind == DrawOp::Kind::LineTo && dashed && op.pen == dashed)
        end = {op.x, op.y};
    }
    return end;
  }
  std::pair<int, int> Corner() {
    std::pair<int, int> corner{0, INT_MAX};
    for (const DrawOp& op : platform.Surface(IDC_GRAPH))
      if (op.kind == DrawOp::Kind::LineTo && op.pen == 0)
        corner = {std::max(corner.first, op.x), std::min(corner.second, op.y)};
    return corner;
  }
  filetest::ScratchDir dir;
};

// Over an empty race the comparison alone sets the axes, however short.
TEST_F(Comparison, AloneItSetsTheAxes) {
  ASSERT_TRUE(Compare("0.5", 30000));
  platform.ClearSurface(IDC_GRAPH);
  Compute(0, 0);
  EXPECT_EQ(CurveEnd(), Corner());
}

// A zero-length section (a loss at 5 km) holds no point: 7 km lies in the
// third, which departs at 30500: 30500 + Trunc(29500 x 2 / 5) = 42300.
TEST(ComparisonTimes, TimeAtAndDifferenceText) {
  ComputedRace race;
  race.sections = {{0, 5, 0, 0, 30000, 0, 0},
                   {5, 5, 0, 30000, 30500, 0, 0},
                   {5, 10, 0, 30500, 60000, 0, 0}};
  EXPECT_EQ(TimeAt(race, 5), 30000);
  EXPECT_EQ(TimeAt(race, 7), 42300);
  // No section starts below 0 or reaches past 10.
  EXPECT_EQ(TimeAt(race, 0), std::nullopt);
  EXPECT_EQ(TimeAt(race, 10.5), std::nullopt);
  constexpr Language ja = Language::Japanese;
  EXPECT_EQ(DifferenceText(-6000 * 61 - 1, ja) + DifferenceText(INT_MIN, ja) +
                "|" + DifferenceText(0, ja) + "|" + DifferenceText(100, ja) +
                "|" + DifferenceText(-100, Language::English),
            "-61分00秒01-357913分56秒47|00分00秒00|+00分01秒00|-0:01.00");
}

// A file's stored priority computes it, one the list lacks by arrival; the
// condition is the current race's. Here every priority and condition gives
// other times.
TEST(ComparisonTimes, ComputedByItsOwnPriorityOrByArrival) {
  Race plan;
  plan.sections = {{0, 6000, 6000, 5, 90000, 80000, 30000}};
  using enum Priority;
  const Priority by[] = {Arrival, Arrival, Lap, Speed, Arrival};  // -1 to 3
  for (int stored = -1; stored <= 3; ++stored) {
    for (const Condition condition : {Condition::Gross, Condition::Net}) {
      plan.priority = Priority{stored};
      Race expected = plan;
      expected.priority = by[stored + 1];
      expected.condition = condition;
      EXPECT_EQ(ComputeComparison(plan, condition), Compute(expected))
          << stored;
    }
  }
}

// Reading one changes nothing of the race; a refused one is reported as a
// refused load is; dropped, the list, graph and page are as before.
TEST_F(Comparison, ReadShownAndDroppedWithoutTouchingTheRace) {
  Enter({{0, 5, 0, 0, 110000, 0, 0}, {5, 10, 0, 110000, 230000, 0, 0}});
  dlg.OnUserEdit(IDC_EVENT_NAME);
  platform.ClearSurface(IDC_GRAPH);
  Compute(0, 0);
  const auto rows = platform.List().Rows();
  const std::vector<DrawOp> graph = platform.Surface(IDC_GRAPH);
  EXPECT_FALSE(Compare("", 0, "X\r\n0\r\n0\r\n0\r\n0\r\n0\r\n46\r\n"));
  EXPECT_EQ(platform.messages, Texts{std::string(kMsgBadSectionCount)});
  ASSERT_TRUE(Compare("10", 24000));
  EXPECT_EQ(platform.List().Rows(), rows);  // shown at the next compute
  for (int axis : {0, 1}) {
    // A dashed curve ends at the plan's 240000 at 10 km, the latest time:
    // the plot's top right corner, whichever way the axis runs.
    platform.ClearSurface(IDC_GRAPH);
    Compute(0, 0, 0, axis);
    EXPECT_EQ(CurveEnd(), Corner()) << axis;
  }
  EXPECT_EQ(Cell(1, 8), "-01分40秒00");
  EXPECT_EQ(dlg.m_race.sections.at(1),
            (RaceFileSection{5, 0, 110000, 10, 230000, 0, 0}));
  dlg.DropComparison();
  EXPECT_EQ(platform.List().GetColumnCount(), 8);
  platform.ClearSurface(IDC_GRAPH);
  Compute(0, 0);
  EXPECT_EQ(platform.List().Rows(), rows);
  EXPECT_TRUE(platform.Surface(IDC_GRAPH) == graph);
  EXPECT_TRUE(dlg.IsModified());
}

}  // namespace
}  // namespace qv::testing
