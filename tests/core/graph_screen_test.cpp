// The section graph in the dialog's graph area, on the recording context.
// Positions are worked out by hand from the plot rectangle (5, 5)-(351, 285).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "graph_test_support.h"

namespace qv::graphtest {
namespace {

// One section of 18 km in 1 h 30 min, entered and computed by arrival time:
// its pace is 30000 (5:00 per km).
void EnterNinetyMinutes(GraphFixture& f) {
  f.dlg.m_nSections = f.dlg.m_nInputIndex = 1;
  f.dlg.m_startKm[0] = 0;
  f.dlg.m_endKm[0] = 18;
  f.dlg.m_departure[0] = 0;
  f.dlg.m_arrival[0] = 540000;
  f.dlg.m_loss[0] = 0;
}

TEST(GraphScreen, NinetyMinutesAtFiveMinutesPerKm) {
  GraphFixture f;
  EnterNinetyMinutes(f);
  f.dlg.OnCompute();
  const auto& ops = f.platform.Surface(IDC_GRAPH);

  // Time: row 6 (10 min), nine lines; k x 60000 x 280 / 540000.
  const int timeY[] = {254, 223, 192, 161, 130, 99, 68, 37, 5};
  // Speed, unit 0: row 4 (1 min), six lines; k x 6000 x 280 / 30000 x 0.8.
  const int speedY[] = {241, 196, 151, 106, 61, 17};
  std::vector<Text> expected;
  for (int k = 0; k < 9; ++k)
    expected.push_back({9, timeY[k] - 4, std::to_string(k + 1) + "0.0", kRed});
  expected.push_back({347, 273, "18", kBlack});
  for (int k = 0; k < 6; ++k)
    expected.push_back(
        {326, speedY[k] - 4, std::to_string(k + 1) + ".0", kGreen});
  expected.push_back({25, 25, "Time(分)", kRed});
  expected.push_back({191, 255, "距離(km)", kBlack});
  expected.push_back({271, 235, "Speed(分/km)", kGreen});
  EXPECT_EQ(Texts(ops), expected);

  const auto timeLines = SegmentsIn(ops, kPaleRed, 1);
  ASSERT_EQ(timeLines.size(), 9u);
  for (int k = 0; k < 9; ++k)
    EXPECT_EQ(Path({timeLines[k]}),
              (std::vector<Point>{{kL, timeY[k]}, {kR - 5, timeY[k]}}));
  const auto speedLines = SegmentsIn(ops, kPaleGreen, 1);
  ASSERT_EQ(speedLines.size(), 6u);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(Path({speedLines[k]}),
              (std::vector<Point>{{kL + 10, speedY[k]}, {kR, speedY[k]}}));
    EXPECT_EQ(speedLines[k].pen.style, PenStyle::Solid);
  }
}

TEST(GraphScreen, SpeedInKmPerHourStepsByTwo) {
  GraphFixture f;
  EnterNinetyMinutes(f);
  f.platform.Combo(IDC_SPEED_UNIT).SetCurSel(4);
  f.dlg.OnCompute();
  const auto& ops = f.platform.Surface(IDC_GRAPH);
  // 12 km/h: row 1 (2 km/h), seven lines, k x 200 x 280 / 1200 x 0.8.
  EXPECT_EQ(TextsOf(ops, kGreen), "2.0 4.0 6.0 8.0 10.0 12.0 14.0 Speed(km/h)");
  const int speedY[] = {248, 211, 173, 136, 99, 61, 24};
  const auto speedLines = SegmentsIn(ops, kPaleGreen, 1);
  ASSERT_EQ(speedLines.size(), 7u);
  for (int k = 0; k < 7; ++k) EXPECT_EQ(speedLines[k].y0, speedY[k]) << k;
}

// The time grid's labels and caption by the final time: one line a label.
TEST(GraphScreen, TimeRowByTheFinalTime) {
  auto check = [](int finalTime, const std::string& labels, std::size_t lines) {
    GraphFixture f;
    f.SetComputed({{0, 10, 0, finalTime, 0, 30000}}, 0);
    const auto& ops = f.Draw(false);
    EXPECT_EQ(TextsOf(ops, kRed), labels) << finalTime;
    EXPECT_EQ(SegmentsIn(ops, kPaleRed, 1).size(), lines) << finalTime;
  };
  // Under one second: row 0, no line.
  check(50, "Time(秒)", 0);
  check(99, "Time(秒)", 0);
  check(100, "1.0 Time(秒)", 1);
  check(999, "1.0 2.0 3.0 4.0 5.0 6.0 7.0 8.0 9.0 Time(秒)", 9);
  check(1000, "2.0 4.0 6.0 8.0 10.0 Time(秒)", 5);
  check(15000, "0.5 1.0 1.5 2.0 2.5 Time(分)", 5);
  check(599999, "10.0 20.0 30.0 40.0 50.0 60.0 70.0 80.0 90.0 Time(分)", 9);
  check(600000, "0.5 1.0 1.5 Time(時間)", 3);
  check(3599999, "1.0 2.0 3.0 4.0 5.0 6.0 7.0 8.0 9.0 Time(時間)", 9);
  // Ten hours and more go on in steps of 2, 5, 10, 20, 50... hours.
  check(3600000, "2.0 4.0 6.0 8.0 10.0 Time(時間)", 5);
  check(8640000, "5.0 10.0 15.0 20.0 Time(時間)", 4);
  check(36000000, "20.0 40.0 60.0 80.0 100.0 Time(時間)", 5);
  check(INT_MAX, "1000.0 2000.0 3000.0 4000.0 5000.0 Time(時間)", 5);
  // A negative final time has no line.
  check(-600000, "Time(秒)", 0);
}

// The speed grid's labels and caption by unit and largest pace, in both
// orientations.
TEST(GraphScreen, SpeedRowByUnitAndPace) {
  auto check = [](std::vector<Section> race, int unit,
                  const std::string& labels) {
    GraphFixture f;
    f.SetComputed(race, unit);
    EXPECT_EQ(TextsOf(f.Draw(false), kGreen), labels) << unit;
    EXPECT_EQ(TextsOf(f.Draw(true), kGreen), labels) << unit;
  };
  // Largest pace 30000 per km, fastest 24000.
  const std::vector<Section> race = {{0, 5, 0, 150000, 0, 30000},
                                     {5, 10, 150000, 270000, 0, 24000}};
  check(race, 0, "1.0 2.0 3.0 4.0 5.0 6.0 Speed(分/km)");
  // 12000: row 3 (30 s), quotient 4.
  check(race, 1, "0.5 1.0 1.5 2.0 2.5 Speed(分/400m)");
  // 6000: row 2 (10 s), quotient 6.
  check(race, 2, "10.0 20.0 30.0 40.0 50.0 60.0 70.0 Speed(秒/200m)");
  // 3000: row 2, quotient 3.
  check(race, 3, "10.0 20.0 30.0 40.0 Speed(秒/100m)");
  // The fastest section, 24000 per km, is 15 km/h: row 1, quotient 7.
  check(race, 4, "2.0 4.0 6.0 8.0 10.0 12.0 14.0 16.0 Speed(km/h)");
  // Only a race file can bring another unit: read as per km.
  check(race, 7, "1.0 2.0 3.0 4.0 5.0 6.0 Speed(分/km)");
  check(race, -1, "1.0 2.0 3.0 4.0 5.0 6.0 Speed(分/km)");
  // 100 km in 24 h, 86400 per km (14:24): row 5 (5 min), quotient 2.
  check({{0, 100, 0, 8640000, 0, 86400}}, 0, "5.0 10.0 15.0 Speed(分/km)");
  // 4000000 per km (11 h 6 min): the 2 h row, quotient 5.
  check({{0, 1, 0, 4000000, 0, 4000000}}, 0,
        "2.0 4.0 6.0 8.0 10.0 12.0 Speed(時間/km)");
  // In km/h a pace of 1 is 36000000: the 20 h row, quotient 5.
  check({{0, 1, 0, 100, 0, 1}}, 4,
        "20.0 40.0 60.0 80.0 100.0 120.0 Speed(km/h)");
}

TEST(GraphScreen, NoSectionsDrawsOneSpeedLineAndTheCaptions) {
  for (int unit : {0, 4}) {
    GraphFixture f;
    f.platform.Combo(IDC_SPEED_UNIT).SetCurSel(unit);
    f.dlg.OnCompute();
    const auto& ops = f.platform.Surface(IDC_GRAPH);
    const std::vector<Text> expected = {
        {326, 281, "1.0", kGreen},
        {25, 25, "Time(秒)", kRed},
        {191, 255, "距離(km)", kBlack},
        {271, 235, unit == 4 ? "Speed(km/h)" : "Speed(秒/km)", kGreen}};
    EXPECT_EQ(Texts(ops), expected) << unit;

    // The speed line on the baseline, the diagonal, the frame.
    const auto segments = Segments(ops);
    ASSERT_EQ(segments.size(), 6u) << unit;
    EXPECT_EQ(segments[0].pen.color, kPaleGreen);
    EXPECT_EQ(Path({segments[0]}), (std::vector<Point>{{15, 285}, {351, 285}}));
    EXPECT_EQ(segments[1].pen.color, kGrey);
    EXPECT_EQ(Path({segments[1]}), (std::vector<Point>{{5, 285}, {351, 5}}));
    for (int s = 2; s < 6; ++s) EXPECT_EQ(segments[s].penHandle, 0);
  }
}

TEST(GraphScreen, ResourcesAreCreatedSelectedAndDeleted) {
  GraphFixture f;
  f.SetComputed({{0, 5, 0, 150000, 0, 30000}}, 0);
  const auto& ops = f.Draw(false);
  ASSERT_GE(ops.size(), 4u);
  EXPECT_EQ(ops.front().kind, Kind::FillSolidRect);
  EXPECT_EQ(ops.front().rect, (Rect{0, 0, 356, 290}));
  EXPECT_EQ(ops.front().color, kWhite);
  EXPECT_EQ(ops.back().kind, Kind::Release);

  // Grey, pale red, pale green, red, green, in that order.
  const auto pens = OpsOf(ops, Kind::CreatePen);
  ASSERT_EQ(pens.size(), 5u);
  const Rgb colors[] = {kGrey, kPaleRed, kPaleGreen, kRed, kGreen};
  const int widths[] = {1, 1, 1, 2, 2};
  std::vector<int> penHandles;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(pens[i].color, colors[i]) << i;
    EXPECT_EQ(pens[i].width, widths[i]) << i;
    EXPECT_EQ(pens[i].style, PenStyle::Solid) << i;
    penHandles.push_back(pens[i].handle);
  }
  const auto fonts = OpsOf(ops, Kind::CreateFont);
  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(fonts[0].height, 10);
  EXPECT_EQ(fonts[0].text, kFontFace);

  // Every text in the label font; every pen and the font deleted, none of
  // them while selected; the context's own pen and font in use at the end.
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::TextOut) {
      EXPECT_EQ(op.font, fonts[0].handle);
    }
    if (op.kind == Kind::DeletePen || op.kind == Kind::DeleteFont) {
      EXPECT_EQ(op.pen, 0);
      EXPECT_EQ(op.font, 0);
    }
  }
  auto deletedPens = Handles(ops, Kind::DeletePen);
  std::sort(deletedPens.begin(), deletedPens.end());
  std::sort(penHandles.begin(), penHandles.end());
  EXPECT_EQ(deletedPens, penHandles);
  EXPECT_EQ(Handles(ops, Kind::DeleteFont), std::vector<int>{fonts[0].handle});
}

TEST(GraphScreen, CurvesInTheNormalOrientation) {
  GraphFixture f;
  f.SetComputed(TwoSections(), 0);
  const auto& ops = f.Draw(false);
  // Time factor 280 / 312000, distance factor 34.6: legs 0, 134.6 -> 135 and
  // 173; 5.38 -> 5; 140 and 173. The curve ends at (R, T).
  EXPECT_EQ(Path(SegmentsIn(ops, kRed, 2)),
            (std::vector<Point>{
                {5, 285}, {5, 285}, {178, 150}, {178, 145}, {351, 5}}));
  // Speed factor 280 / 32400 x 0.8: 30000 -> 207.41 -> 208 (above
  // four tenths), 32400 -> 224 at
  // 80 % of H.
  EXPECT_EQ(
      Path(SegmentsIn(ops, kGreen, 2)),
      (std::vector<Point>{{5, 285}, {5, 77}, {178, 77}, {178, 61}, {351, 61}}));
  // The frame is drawn after the captions, in the context's own pen.
  const auto frame = SegmentsIn(ops, kBlack, 1);
  EXPECT_EQ(Path(frame), (std::vector<Point>{
                             {5, 5}, {5, 285}, {351, 285}, {351, 5}, {5, 5}}));
}

TEST(GraphScreen, ReversedStylesFollowTheAxis) {
  GraphFixture f;
  EnterNinetyMinutes(f);
  f.platform.Combo(IDC_GRAPH_AXIS).SetCurSel(1);
  f.dlg.OnCompute();
  const auto& ops = f.platform.Surface(IDC_GRAPH);

  // Time along the horizontal axis: k x 60000 x 346 / 540000 = 38.44 k,
  // black labels below the lines; distance up the vertical axis in red.
  const int timeX[] = {43, 81, 120, 158, 197, 235, 274, 312, 351};
  std::vector<Text> expected;
  for (int k = 0; k < 9; ++k)
    expected.push_back(
        {timeX[k] - 4, 273, std::to_string(k + 1) + "0.0", kBlack});
  expected.push_back({9, 1, "18", kRed});
  const int speedY[] = {241, 196, 151, 106, 61, 17};
  for (int k = 0; k < 6; ++k)
    expected.push_back(
        {326, speedY[k] - 4, std::to_string(k + 1) + ".0", kGreen});
  expected.push_back({191, 255, "Time(分)", kBlack});
  expected.push_back({25, 25, "距離(km)", kRed});
  expected.push_back({271, 235, "Speed(分/km)", kGreen});
  EXPECT_EQ(Texts(ops), expected);

  const auto grey = SegmentsIn(ops, kGrey, 1);
  ASSERT_EQ(grey.size(), 10u);  // nine time lines and the diagonal
  for (int k = 0; k < 9; ++k)
    EXPECT_EQ(Path({grey[k]}),
              (std::vector<Point>{{timeX[k], kT}, {timeX[k], kB}}));
  const auto distance = SegmentsIn(ops, kPaleRed, 1);
  ASSERT_EQ(distance.size(), 1u);
  EXPECT_EQ(Path(distance), (std::vector<Point>{{kL, kT}, {kR - 5, kT}}));

  // The time grid is drawn with the grey pen and the context's text colour:
  // nothing sets a colour before it, and the pale red pen comes after it.
  int textsBefore = 0;
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::CreatePen && op.color == kPaleRed) break;
    if (op.kind == Kind::SetTextColor) {
      EXPECT_GT(textsBefore, 0);
    }
    if (op.kind == Kind::TextOut) ++textsBefore;
  }
  EXPECT_EQ(textsBefore, 9);
}

TEST(GraphScreen, ZeroLengthSectionAddsNoWidth) {
  // The middle section stands still for a minute: pace 0 as stored.
  const std::vector<Section> race = {{0, 5, 0, 150000, 0, 30000},
                                     {5, 5, 150000, 156000, 0, 0},
                                     {5, 10, 156000, 312000, 0, 31200}};
  GraphFixture f;
  f.SetComputed(race, 0);
  // Normal: the middle running leg is vertical; 6000 x 280 / 312000 = 5.4.
  const auto normal = SegmentsIn(f.Draw(false), kRed, 2);
  ASSERT_EQ(normal.size(), 6u);
  EXPECT_EQ(normal[3].x0, normal[3].x1);
  EXPECT_EQ(normal[3].y0 - normal[3].y1, 5);
  // Its pace of 0 puts its step on the baseline.
  const auto speed = SegmentsIn(f.Draw(false), kGreen, 2);
  ASSERT_EQ(speed.size(), 6u);
  EXPECT_EQ(speed[2].y1, kB);
  EXPECT_EQ(speed[3].y0, kB);
  EXPECT_EQ(speed[3].x0, speed[3].x1);  // no width at the same end km

  // Reversed: horizontal; 6000 x 346 / 312000 = 6.65 -> 7.
  const auto reversed = SegmentsIn(f.Draw(true), kRed, 2);
  ASSERT_EQ(reversed.size(), 6u);
  EXPECT_EQ(reversed[3].y0, reversed[3].y1);
  EXPECT_EQ(reversed[3].x1 - reversed[3].x0, 7);
}

TEST(GraphScreen, SectionsThatDoNotJoinDrift) {
  // A gap from 5 to 7 km: the time curve advances by 5 + 3 km only.
  GraphFixture f;
  f.SetComputed(
      {{0, 5, 0, 150000, 0, 30000}, {7, 10, 150000, 240000, 0, 30000}}, 0);
  const auto& ops = f.Draw(false);
  // Distance factor 34.6: grid at the end points 173 and 346.
  std::vector<int> gridX;
  for (const Segment& s : SegmentsIn(ops, kGrey, 1))
    if (s.x0 == s.x1) gridX.push_back(s.x0);
  EXPECT_EQ(gridX, (std::vector<int>{178, 351}));
  EXPECT_EQ(TextsOf(ops, kBlack), "5 10 距離(km)");
  // Time curve: 173, then 3 x 34.6 = 103.8 -> 104; it ends at x 282.
  const auto time = SegmentsIn(ops, kRed, 2);
  ASSERT_EQ(time.size(), 4u);
  EXPECT_EQ(time[1].x1, 178);
  EXPECT_EQ(time[3].x1, 282);
  EXPECT_EQ(time[3].y1, kT);
  // The speed curve follows the end points.
  const auto speed = SegmentsIn(ops, kGreen, 2);
  ASSERT_EQ(speed.size(), 4u);
  EXPECT_EQ(speed[1].x1, 178);
  EXPECT_EQ(speed[3].x1, 351);
}

TEST(GraphScreen, ZeroPaceInKmPerHourFlattensTheSpeedCurve) {
  GraphFixture f;
  f.SetComputed({{0, 5, 0, 150000, 0, 30000}, {5, 5, 150000, 156000, 0, 0}}, 4);
  const auto& ops = f.Draw(false);
  // Infinite maximum: factor 0, row 0, one line on the baseline.
  const auto grid = SegmentsIn(ops, kPaleGreen, 1);
  ASSERT_EQ(grid.size(), 1u);
  EXPECT_EQ(grid[0].y0, kB);
  EXPECT_EQ(TextsOf(ops, kGreen), "1.0 Speed(km/h)");
  const auto speed = SegmentsIn(ops, kGreen, 2);
  ASSERT_EQ(speed.size(), 4u);
  for (const Segment& s : speed) {
    EXPECT_EQ(s.y0, kB);
    EXPECT_EQ(s.y1, kB);
  }
}

TEST(GraphScreen, DegenerateValuesSaturateAndTheDrawingCompletes) {
  GraphFixture f;
  // A first section absurdly long, a final distance of 1 km reached after
  // one hundredth of a second: every factor is huge.
  f.SetComputed(
      {{0, 1e12, INT_MIN, INT_MAX, INT_MAX, INT_MIN}, {0, 1, 0, 1, 0, INT_MAX}},
      0);
  const auto& ops = f.Draw(false);
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.back().kind, Kind::Release);
  // Distance grid: 5 + 346e12 saturates.
  std::vector<int> gridX;
  for (const Segment& s : SegmentsIn(ops, kGrey, 1))
    if (s.x0 == s.x1) gridX.push_back(s.x0);
  EXPECT_EQ(gridX, (std::vector<int>{INT_MAX, 351}));
  // Time curve: loss INT_MAX x 280 saturates, and the sums stay at the ends
  // of the int range instead of wrapping.
  EXPECT_EQ(Path(SegmentsIn(ops, kRed, 2)),
            (std::vector<Point>{{5, 285},
                                {5, 285 - INT_MAX},
                                {INT_MAX, INT_MIN},
                                {INT_MAX, INT_MIN},
                                {INT_MAX, INT_MIN}}));

  // Section counts a race file may bring.
  for (int n : {-3, 0, 46, 1000}) {
    f.dlg.m_nSections = n;
    const auto& more = f.Draw(n % 2 == 0);
    EXPECT_EQ(more.back().kind, Kind::Release) << n;
  }
}

}  // namespace
}  // namespace qv::graphtest
