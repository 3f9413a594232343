// The graph on the printed page, on a recording context. With a half width
// of 1000 and a top of 500 the plot rectangle is (500, 500)-(1500, 1500).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graph_test_support.h"

namespace qv::graphtest {
namespace {

// 0-5 km arriving at 25 min; a minute's loss; 5-10 km arriving at 52 min.
std::vector<Section> TwoSections() {
  return {{0, 5, 0, 150000, 0, 30000}, {5, 10, 156000, 312000, 6000, 32400}};
}

struct PrintFixture : GraphFixture {
  std::shared_ptr<std::vector<DrawOp>> log =
      std::make_shared<std::vector<DrawOp>>();
  headless::RecordingDc dc{log};

  const std::vector<DrawOp>& Print(bool reversed, int halfWidth, int top) {
    if (reversed) {
      dlg.PrintGraphReversed(dc, halfWidth, top);
    } else {
      dlg.PrintGraph(dc, halfWidth, top);
    }
    return *log;
  }
};

// Time grid: k x 60000 x 1000 / 312000 = 192.3 k (row 6, five lines);
// speed grid: k x 6000 x 1000 / 32400 x 0.8 = 148.1 k (row 4, six lines).
constexpr int kTimeOffsets[] = {192, 384, 576, 769, 961};
constexpr const char* kTimeLabels[] = {"10.0", "20.0", "30.0", "40.0", "50.0"};
constexpr int kSpeedOffsets[] = {148, 296, 444, 592, 740, 888};
constexpr const char* kSpeedLabels[] = {"1.0", "2.0", "3.0",
                                        "4.0", "5.0", "6.0"};

TEST(GraphPrint, NormalLabelsAndCaptionsStandOutsideThePlot) {
  PrintFixture f;
  f.SetComputed(TwoSections(), 0);
  const auto& ops = f.Print(false, 1000, 500);

  std::vector<Text> expected;
  for (int k = 0; k < 5; ++k)
    expected.push_back(
        {400, 1500 - kTimeOffsets[k] - 15, kTimeLabels[k], kRed});
  expected.push_back({985, 1515, "5", kBlack});
  expected.push_back({1485, 1515, "10", kBlack});
  for (int k = 0; k < 6; ++k)
    expected.push_back(
        {1510, 1500 - kSpeedOffsets[k] - 15, kSpeedLabels[k], kGreen});
  expected.push_back({510, 510, "Time(分)", kRed});
  expected.push_back({1400, 1570, "距離(km)", kBlack});
  expected.push_back({1510, 550, "Speed(分/km)", kGreen});
  EXPECT_EQ(Texts(ops), expected);

  // The time grid spans the whole width; the speed grid starts 10 in.
  const auto time = SegmentsIn(ops, kPaleRed, 1);
  ASSERT_EQ(time.size(), 5u);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(time[k].x0, 500);
    EXPECT_EQ(time[k].x1, 1500);
    EXPECT_EQ(time[k].y0, 1500 - kTimeOffsets[k]);
  }
  const auto speed = SegmentsIn(ops, kPaleGreen, 1);
  ASSERT_EQ(speed.size(), 6u);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(speed[k].pen.style, PenStyle::Dot);
    EXPECT_EQ(speed[k].x0, 510);
    EXPECT_EQ(speed[k].x1, 1500);
    EXPECT_EQ(speed[k].y0, 1500 - kSpeedOffsets[k]);
  }
  // Time curve: 480.8 -> 481 and 500; 19.2 -> 19; 500 and 500: it ends at
  // the diagonal's far end (R, T).
  EXPECT_EQ(
      Path(SegmentsIn(ops, kRed, 5)),
      (std::vector<Point>{
          {500, 1500}, {500, 1500}, {1000, 1019}, {1000, 1000}, {1500, 500}}));
  // Speed curve: 740.7 -> 741, and the fastest section at 800 = 0.8 x H.
  EXPECT_EQ(
      Path(SegmentsIn(ops, kGreen, 5)),
      (std::vector<Point>{
          {500, 1500}, {500, 759}, {1000, 759}, {1000, 700}, {1500, 700}}));
}

TEST(GraphPrint, ReversedLabelsAndCaptions) {
  PrintFixture f;
  f.SetComputed(TwoSections(), 0);
  const auto& ops = f.Print(true, 1000, 500);

  std::vector<Text> expected;
  for (int k = 0; k < 5; ++k)
    expected.push_back(
        {500 + kTimeOffsets[k] - 15, 1515, kTimeLabels[k], kBlack});
  expected.push_back({400, 985, "5", kRed});
  expected.push_back({400, 485, "10", kRed});
  for (int k = 0; k < 6; ++k)
    expected.push_back(
        {1510, 1500 - kSpeedOffsets[k] - 15, kSpeedLabels[k], kGreen});
  expected.push_back({1400, 1570, "Time(分)", kBlack});
  expected.push_back({510, 510, "距離(km)", kRed});
  // Level with the top edge in this orientation.
  expected.push_back({1510, 500, "Speed(分/km)", kGreen});
  EXPECT_EQ(Texts(ops), expected);

  // Distance up the vertical axis, across the whole width.
  const auto distance = SegmentsIn(ops, kPaleRed, 1);
  ASSERT_EQ(distance.size(), 2u);
  EXPECT_EQ(distance[0].x1, 1500);
  EXPECT_EQ(distance[0].y0, 1000);
  EXPECT_EQ(distance[1].y0, 500);
  // Time curve: 480.8 -> 481 and 500; 19; 500 and 500.
  EXPECT_EQ(
      Path(SegmentsIn(ops, kRed, 5)),
      (std::vector<Point>{
          {500, 1500}, {500, 1500}, {981, 1000}, {1000, 1000}, {1500, 500}}));
}

TEST(GraphPrint, RectangleForEvenAndOddHalfWidths) {
  struct Case {
    int halfWidth;
    int top;
    std::vector<Point> frame;
  };
  const Case cases[] = {
      // Even: a square of side 1000.
      {1000,
       500,
       {{500, 500}, {500, 1500}, {1500, 1500}, {1500, 500}, {500, 500}}},
      // Odd: 1000 wide, 1001 high.
      {1001,
       500,
       {{501, 500}, {501, 1501}, {1501, 1501}, {1501, 500}, {501, 500}}},
      {7, 0, {{4, 0}, {4, 7}, {10, 7}, {10, 0}, {4, 0}}},
  };
  for (const Case& c : cases) {
    for (bool reversed : {false, true}) {
      PrintFixture f;
      f.SetComputed(TwoSections(), 0);
      const auto& ops = f.Print(reversed, c.halfWidth, c.top);
      EXPECT_EQ(Path(SegmentsIn(ops, kBlack, 1)), c.frame) << c.halfWidth;
      // The diagonal from (L, B) to (R, T).
      const auto grey = SegmentsIn(ops, kGrey, 1);
      ASSERT_FALSE(grey.empty());
      const Segment& diagonal = grey.back();
      EXPECT_EQ((std::vector<Point>{{diagonal.x0, diagonal.y0},
                                    {diagonal.x1, diagonal.y1}}),
                (std::vector<Point>{c.frame[1], c.frame[3]}));
    }
  }
}

TEST(GraphPrint, PensFontAndWhatTheCallerGetsBack) {
  for (bool reversed : {false, true}) {
    PrintFixture f;
    f.SetComputed(TwoSections(), 1);
    const FontHandle tableFont = f.dc.CreateFont(35, kFace);
    f.dc.SelectFont(tableFont);
    const PenHandle callerPen =
        f.dc.CreatePen(PenStyle::Solid, 1, Rgb{0, 0, 255});
    f.dc.SelectPen(callerPen);
    f.log->clear();

    const auto& ops = f.Print(reversed, 1200, 800);

    for (const DrawOp& op : ops) {
      EXPECT_NE(op.kind, Kind::FillSolidRect);
      EXPECT_NE(op.kind, Kind::Release);
    }
    std::vector<DrawOp> fonts;
    for (const DrawOp& op : ops)
      if (op.kind == Kind::CreateFont) fonts.push_back(op);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].height, 30);
    EXPECT_EQ(fonts[0].text, kFace);

    // Curves 5 wide, everything else 1; the frame in the caller's pen.
    int frame = 0;
    for (const Segment& s : Segments(ops)) {
      const bool curve = s.pen.color == kRed || s.pen.color == kGreen;
      EXPECT_EQ(s.pen.width, curve ? 5 : 1);
      EXPECT_EQ(s.pen.style,
                s.pen.color == kPaleGreen ? PenStyle::Dot : PenStyle::Solid);
      if (s.penHandle == callerPen) ++frame;
    }
    EXPECT_EQ(frame, 4);
    EXPECT_EQ(SegmentsIn(ops, kRed, 5).size(), 4u);
    EXPECT_EQ(SegmentsIn(ops, kGreen, 5).size(), 4u);

    EXPECT_EQ(f.dc.CurrentFont(), tableFont);
    EXPECT_EQ(f.dc.CurrentPen(), callerPen);
    EXPECT_EQ(f.dc.TextColor(), kGreen);
    EXPECT_EQ(Handles(ops, Kind::DeletePen).size(), 5u);
    EXPECT_EQ(Handles(ops, Kind::DeleteFont),
              std::vector<int>{fonts[0].handle});
  }
}

TEST(GraphPrint, OnThePrintJobsPage) {
  GraphFixture f;
  f.SetComputed({}, 0);
  headless::PrintJob job(2400, 3300);
  f.dlg.PrintGraph(job.Dc(), 1200, 800);
  job.EndPage();
  const auto& ops = job.record()->ops;
  // No sections: the one speed line on the baseline, its label right of the
  // rectangle, the frame (600, 800)-(1800, 2000) and no curve.
  EXPECT_EQ(
      Path(SegmentsIn(ops, kBlack, 1)),
      (std::vector<Point>{
          {600, 800}, {600, 2000}, {1800, 2000}, {1800, 800}, {600, 800}}));
  const std::vector<Text> expected = {{1810, 1985, "1.0", kGreen},
                                      {610, 810, "Time(秒)", kRed},
                                      {1700, 2070, "距離(km)", kBlack},
                                      {1810, 850, "Speed(秒/km)", kGreen}};
  EXPECT_EQ(Texts(ops), expected);
  EXPECT_TRUE(SegmentsIn(ops, kRed, 5).empty());
  EXPECT_TRUE(SegmentsIn(ops, kGreen, 5).empty());
}

}  // namespace
}  // namespace qv::graphtest
