// The section graph in the dialog's graph area, on the recording context.
// The plot rectangle is (5, 5)-(351, 285): W 346, H 280.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "graph_test_support.h"

namespace qv::graphtest {
namespace {

constexpr int kL = 5, kT = 5, kR = 351, kB = 285;

std::size_t Spaces(const std::string& s) {
  return static_cast<std::size_t>(std::ranges::count(s, ' '));
}

struct Point {
  int x, y;
  friend bool operator==(const Point&, const Point&) = default;
  friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
};

// The axis-parallel lines in one pen, each with the label drawn after it.
struct GridLine {
  Point from, to, label;
  DrawOp text;
};

std::vector<GridLine> GridIn(const std::vector<DrawOp>& ops, Rgb pen) {
  std::map<int, Rgb> pens;
  std::vector<GridLine> grid;
  const DrawOp* l = nullptr;
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::CreatePen) pens[op.handle] = op.color;
    if (op.kind == Kind::LineTo && op.pen != 0 && pens[op.pen] == pen &&
        (op.fromX == op.x || op.fromY == op.y))
      l = &op;
    if (op.kind == Kind::TextOut && l != nullptr)
      grid.push_back({{l->fromX, l->fromY}, {l->x, l->y}, {op.x, op.y}, op});
    if (op.kind == Kind::TextOut) l = nullptr;
  }
  return grid;
}

// Styles belong to the axis: the grid's pen, its lines' extent, the colour
// and place of the labels and of the caption.
struct Style {
  Rgb pen, text;
  Point length, caption;
};
constexpr Style kUp{kPaleRed, kRed, {kR - 5 - kL, 0}, {25, 25}};
constexpr Style kAcross{kGrey, kBlack, {0, kB - kT}, {191, 255}};
constexpr Style kSpeed{kPaleGreen, kGreen, {kR - kL - 10, 0}, {271, 235}};

// 18 km in 1 h 30 min (5:00 per km) computed through the dialog: time up
// (axis 0) or across (axis 1), speed always up with a line above the
// largest speed. Lines evenly spaced, labels at one offset inside the area.
TEST(GraphScreen, GridsOfNinetyMinutesAtFiveMinutesPerKm) {
  const char* kTens = "10.0 20.0 30.0 40.0 50.0 60.0 70.0 80.0 90.0";
  const char* kMin = "1.0 2.0 3.0 4.0 5.0 6.0";
  const char* kKmh = "2.0 4.0 6.0 8.0 10.0 12.0 14.0";
  const struct {
    int axis, unit;
    Style style;
    const char* labels;
    int firstX, firstY, lastX, lastY;
    const char* caption;
  } cases[] = {
      // Ten minutes are 60000 x 280 / 540000 = 31.1 up, x 346: 38.4 across.
      {0, 0, kUp, kTens, kL, kB - 31, kL, kT, "Time(分)"},
      {0, 0, kAcross, "18", kR, kT, kR, kT, "距離(km)"},
      {1, 0, kAcross, kTens, kL + 38, kT, kR, kT, "Time(分)"},
      {1, 0, kUp, "18", kL, kT, kL, kT, "距離(km)"},
      // 1 min is 6000 x 280 / 30000 x 0.8 = 44.8; 2 km/h 200 / 1200: 37.3.
      {0, 0, kSpeed, kMin, kL + 10, kB - 44, kL + 10, kB - 268, "Speed(分/km)"},
      {1, 0, kSpeed, kMin, kL + 10, kB - 44, kL + 10, kB - 268, "Speed(分/km)"},
      {0, 4, kSpeed, kKmh, kL + 10, kB - 37, kL + 10, kB - 261, "Speed(km/h)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.axis << c.unit << " " << c.labels);
    GraphFixture f;
    f.dlg.m_nSections = f.dlg.m_nInputIndex = 1;
    f.dlg.m_endKm[0] = 18;
    f.dlg.m_arrival[0] = 540000;
    f.platform.Combo(IDC_GRAPH_AXIS).SetCurSel(c.axis);
    f.platform.Combo(IDC_SPEED_UNIT).SetCurSel(c.unit);
    f.dlg.OnCompute();
    const auto& ops = f.platform.Surface(IDC_GRAPH);
    const auto g = GridIn(ops, c.style.pen);
    ASSERT_EQ(g.size(), Spaces(c.labels) + 1);
    EXPECT_EQ(g.front().from, (Point{c.firstX, c.firstY}));
    EXPECT_EQ(g.back().from, (Point{c.lastX, c.lastY}));
    auto at = [&](std::size_t k) {  // y of a horizontal line, x of a vertical
      return g[k].from.x + g[k].from.y - g[0].from.x - g[0].from.y;
    };
    std::string labels;
    for (std::size_t k = 0; k < g.size(); ++k) {
      labels += (k == 0 ? "" : " ") + g[k].text.text;
      EXPECT_EQ(g[k].to - g[k].from, c.style.length);
      EXPECT_EQ(g[k].label - g[k].from, g[0].label - g[0].from);
      EXPECT_EQ(g[k].text.textColor, c.style.text);
      EXPECT_TRUE(g[k].label.x >= 0 && g[k].label.x < 356 &&
                  g[k].label.y >= 0 && g[k].label.y < 290);
      EXPECT_LE(k < 2 ? 0 : std::abs(at(k) - at(k - 1) - at(1)), 1);
    }
    EXPECT_EQ(labels, c.labels);
    const auto caption = std::ranges::find(ops, c.caption, &DrawOp::text);
    ASSERT_NE(caption, ops.end());
    EXPECT_EQ((Point{caption->x, caption->y}), c.style.caption);
    EXPECT_EQ(caption->textColor, c.style.text);
  }
}

// The time labels and caption by the final time: one line a label.
TEST(GraphScreen, TimeRowByTheFinalTime) {
  const struct {
    int finalTime;
    const char* labels;
  } cases[] = {
      {99, "Time(秒)"},
      {100, "1.0 Time(秒)"},
      {999, "1.0 2.0 3.0 4.0 5.0 6.0 7.0 8.0 9.0 Time(秒)"},
      {1000, "2.0 4.0 6.0 8.0 10.0 Time(秒)"},
      {15000, "0.5 1.0 1.5 2.0 2.5 Time(分)"},
      {150000, "5.0 10.0 15.0 20.0 25.0 Time(分)"},
      {599999, "10.0 20.0 30.0 40.0 50.0 60.0 70.0 80.0 90.0 Time(分)"},
      {600000, "0.5 1.0 1.5 Time(時間)"},
      {3599999, "1.0 2.0 3.0 4.0 5.0 6.0 7.0 8.0 9.0 Time(時間)"},
      // Ten hours and more go on in steps of 2, 5, 10, 20, 50... hours.
      {3600000, "2.0 4.0 6.0 8.0 10.0 Time(時間)"},
      {8640000, "5.0 10.0 15.0 20.0 Time(時間)"},
      {36000000, "20.0 40.0 60.0 80.0 100.0 Time(時間)"},
      {INT_MAX, "1000.0 2000.0 3000.0 4000.0 5000.0 Time(時間)"},
      {-600000, "Time(秒)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.finalTime);
    GraphFixture f;
    f.SetComputed({{0, 10, 0, c.finalTime, 0, 30000}}, 0);
    const auto& ops = f.Draw(false);
    EXPECT_EQ(TextsOf(ops, kRed), c.labels);
    EXPECT_EQ(LinesIn(ops, kPaleRed, 1).size(), Spaces(c.labels));
  }
}

// The speed labels and caption by unit and largest pace, both orientations.
TEST(GraphScreen, SpeedRowByUnitAndPace) {
  using Race = std::vector<Section>;
  // Largest pace 30000 per km; the fastest, 24000, is 15 km/h.
  const Race race = {{0, 5, 0, 150000, 0, 30000},
                     {5, 10, 150000, 270000, 0, 24000}};
  const Race day = {{0, 100, 0, 8640000, 0, 86400}};
  const Race slow = {{0, 1, 0, 4000000, 0, 4000000}};
  // In km/h a pace of 1 is 36000000, a pace of 0 infinite.
  const Race fast = {{0, 1, 0, 100, 0, 1}};
  const Race still = {race[0], {5, 5, 150000, 156000, 0, 0}}, none;
  const struct {
    const Race& race;
    int unit;
    const char* labels;
  } cases[] = {
      {race, 0, "1.0 2.0 3.0 4.0 5.0 6.0 Speed(分/km)"},
      {race, 1, "0.5 1.0 1.5 2.0 2.5 Speed(分/400m)"},
      {race, 2, "10.0 20.0 30.0 40.0 50.0 60.0 70.0 Speed(秒/200m)"},
      {race, 3, "10.0 20.0 30.0 40.0 Speed(秒/100m)"},
      {race, 4, "2.0 4.0 6.0 8.0 10.0 12.0 14.0 16.0 Speed(km/h)"},
      // Only a race file can bring another unit: read as per km.
      {race, 7, "1.0 2.0 3.0 4.0 5.0 6.0 Speed(分/km)"},
      {day, 0, "5.0 10.0 15.0 Speed(分/km)"},
      {slow, 0, "2.0 4.0 6.0 8.0 10.0 12.0 Speed(時間/km)"},
      {fast, 4, "20.0 40.0 60.0 80.0 100.0 120.0 Speed(km/h)"},
      {still, 4, "1.0 Speed(km/h)"},
      {none, 0, "1.0 Speed(秒/km)"},
      {none, 4, "1.0 Speed(km/h)"},
  };
  for (const auto& c : cases) {
    for (bool reversed : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.labels << " " << reversed);
      GraphFixture f;
      f.SetComputed(c.race, c.unit);
      EXPECT_EQ(TextsOf(f.Draw(reversed), kGreen), c.labels);
    }
  }
}

// Legs are rounded one by one and accumulate, so the time curve follows the
// sum of the section lengths; the speed curve steps at the end points (at
// the arrival times when reversed). Frame and diagonal close every graph.
TEST(GraphScreen, CurvesInBothOrientations) {
  // 0-5 km arriving at 25 min, a minute lost, 5-10 km arriving at 52 min.
  const std::vector<Section> two = {{0, 5, 0, 150000, 0, 30000},
                                    {5, 10, 156000, 312000, 6000, 32400}};
  // A minute standing still at 5 km.
  const std::vector<Section> still = {{0, 5, 0, 150000, 0, 30000},
                                      {5, 5, 150000, 156000, 0, 0},
                                      {5, 10, 156000, 312000, 0, 31200}};
  // A gap from 5 to 7 km.
  const std::vector<Section> gap = {{0, 5, 0, 150000, 0, 30000},
                                    {7, 10, 150000, 240000, 0, 30000}};
  const struct {
    const std::vector<Section>& race;
    bool reversed;
    const char *time, *speed;
  } cases[] = {
      // 280 / 312000 a hundredth, 34.6 a km; speed 280 / 32400 x 0.8.
      {two, false, "5,285 5,285 178,150 178,145 351,5",
       "5,285 5,77 178,77 178,61 351,61"},
      // 346 / 312000 a hundredth, 28 a km: the lost minute is 6.65 -> 7.
      {two, true, "5,285 5,285 171,145 178,145 351,5",
       "5,285 5,77 171,77 171,61 351,61"},
      // No width standing still; its speed on the baseline.
      {still, false, "5,285 5,285 178,150 178,150 178,145 178,145 351,5",
       "5,285 5,70 178,70 178,285 178,285 178,61 351,61"},
      // The time curve ends at 173 + 3 x 34.6 -> 104, short of the end.
      {gap, false, "5,285 5,285 178,110 178,110 282,5",
       "5,285 5,61 178,61 178,61 351,61"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.time);
    GraphFixture f;
    f.SetComputed(c.race, 0);
    const auto& ops = f.Draw(c.reversed);
    EXPECT_EQ(Path(LinesIn(ops, kRed, 2)), c.time);
    EXPECT_EQ(Path(LinesIn(ops, kGreen, 2)), c.speed);
    EXPECT_EQ(Path(LinesIn(ops, kBlack, 1)), "5,5 5,285 351,285 351,5 5,5");
    EXPECT_EQ(LinesIn(ops, kGrey, 1).back(), "5,285 351,5");
  }
}

// Filled white first; five pens and one font, every one deleted after use
// and none while selected.
TEST(GraphScreen, ResourcesAreCreatedUsedAndDeleted) {
  GraphFixture f;
  f.SetComputed({{0, 5, 0, 150000, 0, 30000}}, 0);
  const auto& ops = f.Draw(false);
  EXPECT_EQ(ops.front().rect, (Rect{0, 0, 356, 290}));
  EXPECT_EQ(ops.front().color, (Rgb{255, 255, 255}));
  EXPECT_EQ(ops.back().kind, Kind::Release);
  std::vector<Rgb> colors;
  std::vector<int> created, deleted;
  for (const DrawOp& op : OpsOf(ops, Kind::CreatePen)) {
    colors.push_back(op.color);
    created.push_back(op.handle);
    EXPECT_EQ(op.width, op.color == kRed || op.color == kGreen ? 2 : 1);
  }
  EXPECT_EQ(colors,
            (std::vector<Rgb>{kGrey, kPaleRed, kPaleGreen, kRed, kGreen}));
  const DrawOp font = OpsOf(ops, Kind::CreateFont).at(0);
  for (const DrawOp& op : ops) {
    EXPECT_TRUE(op.kind != Kind::TextOut || op.font == font.handle);
    if (op.kind == Kind::DeletePen) deleted.push_back(op.handle);
    EXPECT_TRUE((op.kind != Kind::DeletePen && op.kind != Kind::DeleteFont) ||
                op.pen + op.font == 0);
  }
  std::ranges::sort(created);
  std::ranges::sort(deleted);
  EXPECT_EQ(deleted, created);
  EXPECT_EQ(OpsOf(ops, Kind::DeleteFont).at(0).handle, font.handle);
}

TEST(GraphScreen, DegenerateValuesSaturateAndTheDrawingCompletes) {
  GraphFixture f;
  // An absurdly long first section, the final 1 km reached after a
  // hundredth of a second: every factor is huge, and the sums stay at the
  // ends of the int range instead of wrapping.
  f.SetComputed(
      {{0, 1e12, INT_MIN, INT_MAX, INT_MAX, INT_MIN}, {0, 1, 0, 1, 0, INT_MAX}},
      0);
  const std::string far = "2147483647,-2147483648";
  EXPECT_EQ(Path(LinesIn(f.Draw(false), kRed, 2)),
            "5,285 5,-2147483362 " + far + " " + far + " " + far);
  // Section counts a race file may bring.
  for (int n : {-3, 0, 46, 1000}) {
    f.dlg.m_nSections = n;
    EXPECT_EQ(f.Draw(n % 2 == 0).back().kind, Kind::Release) << n;
  }
}

}  // namespace
}  // namespace qv::graphtest
