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

std::vector<std::string> Labels(std::initializer_list<const char*> texts) {
  return std::vector<std::string>(texts.begin(), texts.end());
}

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
  const char* timeLabels[] = {"10.0", "20.0", "30.0", "40.0", "50.0",
                              "60.0", "70.0", "80.0", "90.0"};
  for (int k = 0; k < 9; ++k)
    expected.push_back({9, timeY[k] - 4, timeLabels[k], kRed});
  expected.push_back({347, 273, "18", kBlack});
  const char* speedLabels[] = {"1.0", "2.0", "3.0", "4.0", "5.0", "6.0"};
  for (int k = 0; k < 6; ++k)
    expected.push_back({326, speedY[k] - 4, speedLabels[k], kGreen});
  expected.push_back({25, 25, "Time(分)", kRed});
  expected.push_back({191, 255, "距離(km)", kBlack});
  expected.push_back({271, 235, "Speed(分/km)", kGreen});
  EXPECT_EQ(Texts(ops), expected);

  const auto timeLines = SegmentsIn(ops, kPaleRed, 1);
  ASSERT_EQ(timeLines.size(), 9u);
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(timeLines[k].x0, kL);
    EXPECT_EQ(timeLines[k].x1, kR - 5);
    EXPECT_EQ(timeLines[k].y0, timeY[k]);
    EXPECT_EQ(timeLines[k].y1, timeY[k]);
  }
  const auto speedLines = SegmentsIn(ops, kPaleGreen, 1);
  ASSERT_EQ(speedLines.size(), 6u);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(speedLines[k].x0, kL + 10);
    EXPECT_EQ(speedLines[k].x1, kR);
    EXPECT_EQ(speedLines[k].y0, speedY[k]);
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
  EXPECT_EQ(TextsOf(ops, kGreen), Labels({"2.0", "4.0", "6.0", "8.0", "10.0",
                                          "12.0", "14.0", "Speed(km/h)"}));
  const int speedY[] = {248, 211, 173, 136, 99, 61, 24};
  const auto speedLines = SegmentsIn(ops, kPaleGreen, 1);
  ASSERT_EQ(speedLines.size(), 7u);
  for (int k = 0; k < 7; ++k) EXPECT_EQ(speedLines[k].y0, speedY[k]) << k;
}

// The time row by the final time: labels of the time grid and the caption.
struct TimeRowCase {
  int finalTime;
  std::vector<std::string> labels;
  const char* caption;
};

// Names the case in test listings by its final time.
void PrintTo(const TimeRowCase& c, std::ostream* os) {
  *os << "final time " << c.finalTime;
}

class GraphTimeRow : public ::testing::TestWithParam<TimeRowCase> {};

TEST_P(GraphTimeRow, LabelsAndCaption) {
  const TimeRowCase& c = GetParam();
  GraphFixture f;
  f.SetComputed({{0, 10, 0, c.finalTime, 0, 30000}}, 0);
  const auto& ops = f.Draw(false);
  std::vector<std::string> expected = c.labels;
  expected.push_back(c.caption);
  EXPECT_EQ(TextsOf(ops, kRed), expected);
  EXPECT_LE(SegmentsIn(ops, kPaleRed, 1).size(), 10u);
  EXPECT_EQ(SegmentsIn(ops, kPaleRed, 1).size(), c.labels.size());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GraphTimeRow,
    ::testing::Values(
        // Under one second: row 0, no line.
        TimeRowCase{50, {}, "Time(秒)"}, TimeRowCase{99, {}, "Time(秒)"},
        TimeRowCase{100, {"1.0"}, "Time(秒)"},
        TimeRowCase{
            999,
            {"1.0", "2.0", "3.0", "4.0", "5.0", "6.0", "7.0", "8.0", "9.0"},
            "Time(秒)"},
        TimeRowCase{1000, {"2.0", "4.0", "6.0", "8.0", "10.0"}, "Time(秒)"},
        TimeRowCase{15000, {"0.5", "1.0", "1.5", "2.0", "2.5"}, "Time(分)"},
        TimeRowCase{599999,
                    {"10.0", "20.0", "30.0", "40.0", "50.0", "60.0", "70.0",
                     "80.0", "90.0"},
                    "Time(分)"},
        TimeRowCase{600000, {"0.5", "1.0", "1.5"}, "Time(時間)"},
        TimeRowCase{
            3599999,
            {"1.0", "2.0", "3.0", "4.0", "5.0", "6.0", "7.0", "8.0", "9.0"},
            "Time(時間)"},
        // Ten hours and more go on in steps of 2, 5, 10, 20, 50... hours.
        TimeRowCase{
            3600000, {"2.0", "4.0", "6.0", "8.0", "10.0"}, "Time(時間)"},
        TimeRowCase{8640000, {"5.0", "10.0", "15.0", "20.0"}, "Time(時間)"},
        TimeRowCase{
            36000000, {"20.0", "40.0", "60.0", "80.0", "100.0"}, "Time(時間)"},
        TimeRowCase{INT_MAX,
                    {"1000.0", "2000.0", "3000.0", "4000.0", "5000.0"},
                    "Time(時間)"},
        // A negative final time has no line.
        TimeRowCase{-600000, {}, "Time(秒)"}));

TEST(GraphScreen, SixHundredThousandDrawsThreeHalfHourLines) {
  GraphFixture f;
  f.SetComputed({{0, 10, 0, 600000, 0, 60000}}, 0);
  const auto lines = SegmentsIn(f.Draw(false), kPaleRed, 1);
  // k x 180000 x 280 / 600000 = 84 k.
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].y0, 201);
  EXPECT_EQ(lines[1].y0, 117);
  EXPECT_EQ(lines[2].y0, 33);
}

TEST(GraphScreen, TwentyFourHourRaceHasFiveHourSteps) {
  GraphFixture f;
  // 100 km in 24 h: pace 86400 (14:24 per km).
  f.SetComputed({{0, 100, 0, 8640000, 0, 86400}}, 0);
  const auto& ops = f.Draw(false);
  // k x 1800000 x 280 / 8640000 = 58.33 k.
  const auto lines = SegmentsIn(ops, kPaleRed, 1);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].y0, 227);
  EXPECT_EQ(lines[1].y0, 169);
  EXPECT_EQ(lines[2].y0, 110);
  EXPECT_EQ(lines[3].y0, 52);
  // 86400 per km: row 5 (5 min), quotient 2, three lines.
  EXPECT_EQ(TextsOf(ops, kGreen),
            Labels({"5.0", "10.0", "15.0", "Speed(分/km)"}));
}

// The speed row and caption by unit, for a largest pace of 30000.
struct SpeedUnitCase {
  int unit;
  std::vector<std::string> labelsAndCaption;
};

void PrintTo(const SpeedUnitCase& c, std::ostream* os) {
  *os << "unit " << c.unit;
}

class GraphSpeedUnit : public ::testing::TestWithParam<SpeedUnitCase> {};

TEST_P(GraphSpeedUnit, LabelsAndCaption) {
  const SpeedUnitCase& c = GetParam();
  GraphFixture f;
  f.SetComputed(
      {{0, 5, 0, 150000, 0, 30000}, {5, 10, 150000, 270000, 0, 24000}}, c.unit);
  EXPECT_EQ(TextsOf(f.Draw(false), kGreen), c.labelsAndCaption);
  EXPECT_EQ(TextsOf(f.Draw(true), kGreen), c.labelsAndCaption);
}

INSTANTIATE_TEST_SUITE_P(
    Units, GraphSpeedUnit,
    ::testing::Values(
        SpeedUnitCase{
            0, {"1.0", "2.0", "3.0", "4.0", "5.0", "6.0", "Speed(分/km)"}},
        // 12000: row 3 (30 s), quotient 4.
        SpeedUnitCase{1, {"0.5", "1.0", "1.5", "2.0", "2.5", "Speed(分/400m)"}},
        // 6000: row 2 (10 s), quotient 6.
        SpeedUnitCase{2,
                      {"10.0", "20.0", "30.0", "40.0", "50.0", "60.0", "70.0",
                       "Speed(秒/200m)"}},
        // 3000: row 2, quotient 3.
        SpeedUnitCase{3, {"10.0", "20.0", "30.0", "40.0", "Speed(秒/100m)"}},
        // The fastest section, 24000 per km, is 15 km/h: row 1, quotient 7.
        SpeedUnitCase{4,
                      {"2.0", "4.0", "6.0", "8.0", "10.0", "12.0", "14.0",
                       "16.0", "Speed(km/h)"}},
        // Only a race file can bring another unit: read as per km.
        SpeedUnitCase{
            7, {"1.0", "2.0", "3.0", "4.0", "5.0", "6.0", "Speed(分/km)"}},
        SpeedUnitCase{
            -1, {"1.0", "2.0", "3.0", "4.0", "5.0", "6.0", "Speed(分/km)"}}));

TEST(GraphScreen, VerySlowPaceContinuesInHours) {
  GraphFixture f;
  // 4000000 per km (11 h 6 min): the 2 h row, quotient 5.
  f.SetComputed({{0, 1, 0, 4000000, 0, 4000000}}, 0);
  EXPECT_EQ(
      TextsOf(f.Draw(false), kGreen),
      Labels({"2.0", "4.0", "6.0", "8.0", "10.0", "12.0", "Speed(時間/km)"}));
  // In km/h a pace of 1 is 36000000: the 20 h row, quotient 5.
  f.SetComputed({{0, 1, 0, 100, 0, 1}}, 4);
  EXPECT_EQ(TextsOf(f.Draw(false), kGreen),
            Labels({"20.0", "40.0", "60.0", "80.0", "100.0", "120.0",
                    "Speed(km/h)"}));
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

    const auto segments = Segments(ops);
    ASSERT_EQ(segments.size(), 6u) << unit;
    // The speed line on the baseline, the diagonal, the frame.
    EXPECT_EQ(segments[0].pen.color, kPaleGreen);
    EXPECT_EQ((std::vector<int>{segments[0].x0, segments[0].y0, segments[0].x1,
                                segments[0].y1}),
              (std::vector<int>{15, 285, 351, 285}));
    EXPECT_EQ(segments[1].pen.color, kGrey);
    EXPECT_EQ((std::vector<int>{segments[1].x0, segments[1].y0, segments[1].x1,
                                segments[1].y1}),
              (std::vector<int>{5, 285, 351, 5}));
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
  std::vector<DrawOp> created;
  for (const DrawOp& op : ops)
    if (op.kind == Kind::CreatePen) created.push_back(op);
  ASSERT_EQ(created.size(), 5u);
  const Rgb colors[] = {kGrey, kPaleRed, kPaleGreen, kRed, kGreen};
  const int widths[] = {1, 1, 1, 2, 2};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(created[i].color, colors[i]) << i;
    EXPECT_EQ(created[i].width, widths[i]) << i;
    EXPECT_EQ(created[i].style, PenStyle::Solid) << i;
  }
  std::vector<DrawOp> fonts;
  for (const DrawOp& op : ops)
    if (op.kind == Kind::CreateFont) fonts.push_back(op);
  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(fonts[0].height, 10);
  EXPECT_EQ(fonts[0].text, kFace);

  // Every text in the label font; every pen and the font deleted, none of
  // them while selected; the context's own pen and font in use at the end.
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::TextOut) {
      EXPECT_EQ(op.font, fonts[0].handle);
    }
  }
  auto deletedPens = Handles(ops, Kind::DeletePen);
  std::sort(deletedPens.begin(), deletedPens.end());
  std::vector<int> createdHandles;
  for (const DrawOp& op : created) createdHandles.push_back(op.handle);
  std::sort(createdHandles.begin(), createdHandles.end());
  EXPECT_EQ(deletedPens, createdHandles);
  EXPECT_EQ(Handles(ops, Kind::DeleteFont), std::vector<int>{fonts[0].handle});
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::DeletePen || op.kind == Kind::DeleteFont) {
      EXPECT_EQ(op.pen, 0);
      EXPECT_EQ(op.font, 0);
    }
  }
}

// The worked example's race, gross: 0-5 km arriving at 25 min, a minute's
// loss, 5-10 km arriving at 52 min. Contiguous and consistent.
std::vector<Section> TwoSections() {
  return {{0, 5, 0, 150000, 0, 30000}, {5, 10, 156000, 312000, 6000, 32400}};
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

TEST(GraphScreen, CurvesInTheReversedOrientation) {
  GraphFixture f;
  f.SetComputed(TwoSections(), 0);
  const auto& ops = f.Draw(true);
  // Time factor 346 / 312000, distance factor 28: legs 0, 166.3 -> 166 and
  // 140; 6.65 -> 7; 173 and 140. Again the curve ends at (R, T).
  EXPECT_EQ(Path(SegmentsIn(ops, kRed, 2)),
            (std::vector<Point>{
                {5, 285}, {5, 285}, {171, 145}, {178, 145}, {351, 5}}));
  // Steps end at the arrival times: 150000 -> 166.3 -> 166; 312000 -> 346.
  EXPECT_EQ(
      Path(SegmentsIn(ops, kGreen, 2)),
      (std::vector<Point>{{5, 285}, {5, 77}, {171, 77}, {171, 61}, {351, 61}}));
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
  const char* timeLabels[] = {"10.0", "20.0", "30.0", "40.0", "50.0",
                              "60.0", "70.0", "80.0", "90.0"};
  std::vector<Text> expected;
  for (int k = 0; k < 9; ++k)
    expected.push_back({timeX[k] - 4, 273, timeLabels[k], kBlack});
  expected.push_back({9, 1, "18", kRed});
  const int speedY[] = {241, 196, 151, 106, 61, 17};
  const char* speedLabels[] = {"1.0", "2.0", "3.0", "4.0", "5.0", "6.0"};
  for (int k = 0; k < 6; ++k)
    expected.push_back({326, speedY[k] - 4, speedLabels[k], kGreen});
  expected.push_back({191, 255, "Time(分)", kBlack});
  expected.push_back({25, 25, "距離(km)", kRed});
  expected.push_back({271, 235, "Speed(分/km)", kGreen});
  EXPECT_EQ(Texts(ops), expected);

  const auto grey = SegmentsIn(ops, kGrey, 1);
  ASSERT_EQ(grey.size(), 10u);  // nine time lines and the diagonal
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(grey[k].x0, timeX[k]);
    EXPECT_EQ(grey[k].x1, timeX[k]);
    EXPECT_EQ(grey[k].y0, kT);
    EXPECT_EQ(grey[k].y1, kB);
  }
  const auto distance = SegmentsIn(ops, kPaleRed, 1);
  ASSERT_EQ(distance.size(), 1u);
  EXPECT_EQ(distance[0].x0, kL);
  EXPECT_EQ(distance[0].x1, kR - 5);
  EXPECT_EQ(distance[0].y0, kT);

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
  EXPECT_EQ(TextsOf(ops, kBlack), Labels({"5", "10", "距離(km)"}));
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
  EXPECT_EQ(TextsOf(ops, kGreen), Labels({"1.0", "Speed(km/h)"}));
  const auto speed = SegmentsIn(ops, kGreen, 2);
  ASSERT_EQ(speed.size(), 4u);
  for (const Segment& s : speed) {
    EXPECT_EQ(s.y0, kB);
    EXPECT_EQ(s.y1, kB);
  }
}

TEST(GraphScreen, DistanceLabelsUseShortestForm) {
  GraphFixture f;
  f.SetComputed(
      {{0, 10.0, 0, 150000, 0, 15000}, {10, 42.195, 150000, 600000, 0, 14000}},
      0);
  EXPECT_EQ(TextsOf(f.Draw(false), kBlack),
            Labels({"10", "42.195", "距離(km)"}));
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
