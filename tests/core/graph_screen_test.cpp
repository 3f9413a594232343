// The section graph in the dialog's graph area, on the recording context.
// The plot rectangle is (5, 5)-(351, 285): W 346, H 280.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "graph_test_support.h"

namespace qv::graphtest {
namespace {

constexpr int kL = 5, kT = 5, kR = 351, kB = 285;

// An axis-parallel line in one pen: where it starts, its extent and where
// its label, drawn after it, stands from its start (no text: left out).
struct GridLine {
  std::array<int, 6> at;  // x, y, dx, dy, label dx, label dy
  DrawOp text;
};

std::vector<GridLine> GridIn(const std::vector<DrawOp>& ops, Rgb pen) {
  std::map<int, Rgb> pens;
  std::vector<GridLine> grid;
  const DrawOp* l = nullptr;
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::CreatePen) pens[op.handle] = op.color;
    if (op.kind == Kind::LineTo && op.pen != 0 && pens[op.pen] == pen &&
        (op.fromX == op.x || op.fromY == op.y)) {
      l = &op;
      grid.push_back({{l->fromX, l->fromY, l->x - l->fromX, l->y - l->fromY,
                       0, 0}, {}});
    }
    if (op.kind == Kind::TextOut && l != nullptr) {
      grid.back().at[4] = op.x - l->fromX;
      grid.back().at[5] = op.y - l->fromY;
      grid.back().text = op;
    }
    if (op.kind == Kind::TextOut) l = nullptr;
  }
  return grid;
}

// Styles belong to the axis: the grid's pen, its lines' extent, the colour
// of the labels and of the caption, and the caption's place.
struct Style {
  Rgb pen, text;
  int dx, dy, captionX, captionY;
};
constexpr Style kUp{kPaleRed, kRed, kR - 5 - kL, 0, 25, 25};
constexpr Style kAcross{kGrey, kBlack, 0, kB - kT, 191, 255};
constexpr Style kSpeed{kPaleGreen, kGreen, kR - kL - 10, 0, 271, 235};

// 18 km in 1 h 30 min (5:00 per km) computed through the dialog: time up
// (axis 0) or across (axis 1), speed always up with a line above the
// largest speed. Lines evenly spaced, labels at one offset from them but
// for the last, on the frame and moved inside it; a label under a caption
// is left out.
TEST(GraphScreen, GridsOfNinetyMinutesAtFiveMinutesPerKm) {
  const char* kTens = "10.0 20.0 30.0 40.0 50.0 60.0 70.0 80.0 90.0";
  const struct {
    int axis;
    Style style;
    std::size_t lines;
    const char* labels;
    int firstX, firstY, lastX, lastY;
    const char* lastLabelAt;
    const char* caption;
  } cases[] = {
      // Ten minutes are 60000 x 280 / 540000 = 31.1 up, x 346: 38.4 across.
      // 80.0 at y 36 meets the caption at 25-35.
      {0, kUp, 9, "10.0 20.0 30.0 40.0 50.0 60.0 70.0 90.0", kL, kB - 31, kL,
       kT, "9,6", "Time(分)"},
      // "18" is at most 11 wide.
      {0, kAcross, 1, "18", kR, kT, kR, kT, "340,273", "距離(km)"},
      {1, kAcross, 9, kTens, kL + 38, kT, kR, kT, "331,273", "Time(分)"},
      {1, kUp, 1, "18", kL, kT, kL, kT, "9,6", "距離(km)"},
      // 1 min is 6000 x 280 / 30000 x 0.8 = 44.8: 1.0 at y 237 meets the
      // caption at 235-245.
      {1, kSpeed, 6, "2.0 3.0 4.0 5.0 6.0", kL + 10, kB - 44, kL + 10,
       kB - 268, "326,13", "Speed(分/km)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.axis << " " << c.labels);
    GraphFixture f;
    f.dlg.m_race.sections = {{0, 0, 0, 18, 540000, 0, 0}};
    f.platform.Combo(IDC_GRAPH_AXIS).SetCurSel(c.axis);
    f.dlg.OnCompute();
    const auto& ops = f.platform.Surface(IDC_GRAPH);
    const auto g = GridIn(ops, c.style.pen);
    ASSERT_EQ(g.size(), c.lines);
    EXPECT_EQ(XY(g.front().at[0], g.front().at[1]), XY(c.firstX, c.firstY));
    EXPECT_EQ(XY(g.back().at[0], g.back().at[1]), XY(c.lastX, c.lastY));
    // y of a horizontal line, x of a vertical one, from the first's
    auto at = [&](std::size_t k) { return g[k].at[0] + g[k].at[1] - g[0].at[0] - g[0].at[1]; };
    std::string labels;
    for (std::size_t k = 0; k < g.size(); ++k) {
      EXPECT_EQ(XY(g[k].at[2], g[k].at[3]), XY(c.style.dx, c.style.dy));
      EXPECT_LE(k < 2 ? 0 : std::abs(at(k) - at(k - 1) - at(1)), 1);
      if (g[k].text.text.empty()) continue;
      labels += (labels.empty() ? "" : " ") + g[k].text.text;
      EXPECT_EQ(g[k].text.textColor, c.style.text);
      if (k + 1 < g.size()) {
        EXPECT_EQ(XY(g[k].at[4], g[k].at[5]), XY(g[1].at[4], g[1].at[5]));
      }
    }
    EXPECT_EQ(labels, c.labels);
    EXPECT_EQ(XY(g.back().text.x, g.back().text.y), c.lastLabelAt);
    const auto caption = std::ranges::find(ops, c.caption, &DrawOp::text);
    ASSERT_NE(caption, ops.end());
    EXPECT_EQ(XY(caption->x, caption->y), XY(c.style.captionX, c.style.captionY));
    EXPECT_EQ(caption->textColor, c.style.text);
  }
}

// The labels and caption of the time (red) and speed (green) grids by the
// final time, the unit and the largest pace: one line a label.
TEST(GraphScreen, AxisRowsByFinalTimeUnitAndPace) {
  using Race = std::vector<ComputedSection>;
  auto in = [](int t) { return Race{{0, 10, 0, 0, t, 0, 30000}}; };
  // Largest pace 30000 per km; the fastest, 24000, is 15 km/h.
  const Race race = {{0, 5, 0, 0, 150000, 0, 30000},
                     {5, 10, 0, 150000, 270000, 0, 24000}};
  const Race day = {{0, 100, 0, 0, 8640000, 0, 86400}};
  // In km/h a pace of 0 is infinitely fast.
  const Race still = {race[0], {5, 5, 0, 150000, 156000, 0, 0}};
  const struct {
    Race race;
    int unit;
    Rgb color;
    const char* labels;
    std::size_t leftOut = 0;
  } cases[] = {
      {in(1000), 0, kRed, "2.0 4.0 6.0 8.0 10.0 Time(秒)"},
      {in(150000), 0, kRed, "5.0 10.0 15.0 20.0 25.0 Time(分)"},
      // 1.5 would stand within a space of the caption: left out.
      {in(600000), 0, kRed, "0.5 1.0 Time(時間)", 1},
      // Past ten hours in steps of 2, 5, 10, 20, 50... hours.
      {in(36000000), 0, kRed, "20.0 40.0 60.0 80.0 100.0 Time(時間)"},
      {in(INT_MAX), 0, kRed, "1000.0 2000.0 3000.0 4000.0 5000.0 Time(時間)"},
      {in(-600000), 0, kRed, "Time(秒)"},
      // The speed caption (235-245) is left clear: 1.0 stands at y 237.
      {race, 0, kGreen, "2.0 3.0 4.0 5.0 6.0 Speed(分/km)", 1},
      {race, 1, kGreen, "0.5 1.0 1.5 2.0 2.5 Speed(分/400m)"},
      {race, 2, kGreen, "20.0 30.0 40.0 50.0 60.0 70.0 Speed(秒/200m)", 1},
      {race, 3, kGreen, "10.0 20.0 30.0 40.0 Speed(秒/100m)"},
      {race, 4, kGreen, "2.0 4.0 6.0 8.0 10.0 12.0 14.0 16.0 Speed(km/h)"},
      // Only a race file can bring another unit: read as per km.
      {race, 7, kGreen, "2.0 3.0 4.0 5.0 6.0 Speed(分/km)", 1},
      {day, 0, kGreen, "5.0 10.0 15.0 Speed(分/km)"},
      {still, 4, kGreen, "1.0 Speed(km/h)"},
      {{}, 4, kGreen, "1.0 Speed(km/h)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.labels);
    GraphFixture f;
    f.SetComputed(c.race, c.unit);
    const auto& ops = f.Draw(false);
    EXPECT_EQ(TextsOf(ops, c.color), c.labels);
    EXPECT_EQ(LinesIn(ops, c.color == kRed ? kPaleRed : kPaleGreen, 1).size(),
              std::ranges::count(std::string(c.labels), ' ') + c.leftOut);
  }
}

// Legs are rounded one by one and accumulate; the speed curve steps at the
// end points (arrival times when reversed). Frame and diagonal close the
// graph; every pen and the font are deleted after use, none while selected.
TEST(GraphScreen, CurvesInBothOrientations) {
  // 0-5 km arriving at 25 min, a minute lost, 5-10 km arriving at 52 min.
  const std::vector<ComputedSection> two = {
      {0, 5, 0, 0, 150000, 0, 30000}, {5, 10, 6000, 156000, 312000, 0, 32400}};
  const struct {
    bool reversed;
    const char *time, *speed;
  } cases[] = {
      // 280 / 312000 a hundredth, 34.6 a km; speed 280 / 32400 x 0.8.
      {false, "5,285 5,285 178,150 178,145 351,5",
       "5,285 5,77 178,77 178,61 351,61"},
      // 346 / 312000 a hundredth, 28 a km: the lost minute is 6.65 -> 7.
      {true, "5,285 5,285 171,145 178,145 351,5",
       "5,285 5,77 171,77 171,61 351,61"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.time);
    GraphFixture f;
    f.SetComputed(two, 0);
    const auto& ops = f.Draw(c.reversed);
    EXPECT_EQ(Path(LinesIn(ops, kRed, 2)), c.time);
    EXPECT_EQ(Path(LinesIn(ops, kGreen, 2)), c.speed);
    EXPECT_EQ(Path(LinesIn(ops, kBlack, 1)), "5,5 5,285 351,285 351,5 5,5");
    EXPECT_EQ(std::ranges::count(LinesIn(ops, kGrey, 1), "5,285 351,5"), 1);
    std::vector<int> made, gone;
    for (const DrawOp& op : ops) {
      if (op.kind == Kind::CreatePen || op.kind == Kind::CreateFont)
        made.push_back(op.handle);
      if (op.kind == Kind::DeletePen || op.kind == Kind::DeleteFont) {
        gone.push_back(op.handle);
        EXPECT_EQ(op.pen + op.font, 0);
      }
    }
    std::ranges::sort(made);
    std::ranges::sort(gone);
    EXPECT_EQ(gone, made);
  }
  // In km/h the faster first section stands at 80 %, the other at
  // 224 x 30000 / 32400 = 207.4 above the bottom.
  GraphFixture f;
  f.SetComputed(two, 4);
  EXPECT_EQ(Path(LinesIn(f.Draw(false), kGreen, 2)),
            "5,285 5,61 178,61 178,77 351,77");
}

// Huge factors (an absurdly long first section, the final km reached in a
// hundredth of a second) and any section count a race file may bring: the
// coordinates saturate and the drawing completes.
TEST(GraphScreen, DegenerateValuesSaturateAndTheDrawingCompletes) {
  GraphFixture f;
  f.SetComputed({{0, 1e12, INT_MAX, INT_MIN, INT_MAX, 0, INT_MIN},
                 {0, 1, 0, 0, 1, 0, INT_MAX}}, 0);
  for (int n : {2, -3, 0, 46, 1000}) {
    f.dlg.m_race.sections.resize(static_cast<std::size_t>(std::max(n, 0)));
    EXPECT_EQ(f.Draw(n % 2 == 0).back().kind, Kind::Release) << n;
  }
}

}  // namespace
}  // namespace qv::graphtest
