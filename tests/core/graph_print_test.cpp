// The graph on the printed page, on a recording context. With a half width
// of 1000 and a top of 500 the plot rectangle is (500, 500)-(1500, 1500).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graph_test_support.h"

namespace qv::graphtest {
namespace {

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

TEST(GraphPrint, LabelsCaptionsGridsAndCurvesByOrientation) {
  // Time grid: k x 60000 x 1000 / 312000 = 192.3 k (row 6, five lines);
  // speed grid: k x 6000 x 1000 / 32400 x 0.8 = 148.1 k (row 4, six lines).
  const int timeOffsets[] = {192, 384, 576, 769, 961};
  const int speedOffsets[] = {148, 296, 444, 592, 740, 888};
  for (bool reversed : {false, true}) {
    SCOPED_TRACE(reversed);
    PrintFixture f;
    f.SetComputed(TwoSections(), 0);
    const auto& ops = f.Print(reversed, 1000, 500);

    // Time labels below the plot (reversed) or left of it, distance labels
    // the other way; speed labels right of it.
    std::vector<Text> expected;
    for (int k = 0; k < 5; ++k) {
      const std::string label = std::to_string(k + 1) + "0.0";
      expected.push_back(
          reversed ? Text{500 + timeOffsets[k] - 15, 1515, label, kBlack}
                   : Text{400, 1500 - timeOffsets[k] - 15, label, kRed});
    }
    if (reversed) {
      expected.insert(expected.end(),
                      {{400, 985, "5", kRed}, {400, 485, "10", kRed}});
    } else {
      expected.insert(expected.end(),
                      {{985, 1515, "5", kBlack}, {1485, 1515, "10", kBlack}});
    }
    for (int k = 0; k < 6; ++k)
      expected.push_back({1510, 1500 - speedOffsets[k] - 15,
                          std::to_string(k + 1) + ".0", kGreen});
    // The time and distance captions trade places too.
    expected.push_back(reversed ? Text{1400, 1570, "Time(分)", kBlack}
                                : Text{510, 510, "Time(分)", kRed});
    expected.push_back(reversed ? Text{510, 510, "距離(km)", kRed}
                                : Text{1400, 1570, "距離(km)", kBlack});
    // Level with the top edge in the reversed orientation.
    expected.push_back({1510, reversed ? 500 : 550, "Speed(分/km)", kGreen});
    EXPECT_EQ(Texts(ops), expected);

    // Time curve: 480.8 -> 481 and 500; 19.2 -> 19; 500 and 500: it ends at
    // the diagonal's far end (R, T).
    EXPECT_EQ(
        Path(SegmentsIn(ops, kRed, 5)),
        (std::vector<Point>{{500, 1500},
                            {500, 1500},
                            reversed ? Point{981, 1000} : Point{1000, 1019},
                            {1000, 1000},
                            {1500, 500}}));
    const auto paleRed = SegmentsIn(ops, kPaleRed, 1);
    if (reversed) {
      // Distance up the vertical axis, across the whole width.
      ASSERT_EQ(paleRed.size(), 2u);
      EXPECT_EQ(Path({paleRed[0]}),
                (std::vector<Point>{{500, 1000}, {1500, 1000}}));
      EXPECT_EQ(paleRed[1].y0, 500);
      continue;
    }
    // The time grid spans the whole width; the dotted speed grid starts 10
    // in.
    ASSERT_EQ(paleRed.size(), 5u);
    for (int k = 0; k < 5; ++k) {
      const int y = 1500 - timeOffsets[k];
      EXPECT_EQ(Path({paleRed[k]}), (std::vector<Point>{{500, y}, {1500, y}}));
    }
    const auto speed = SegmentsIn(ops, kPaleGreen, 1);
    ASSERT_EQ(speed.size(), 6u);
    for (int k = 0; k < 6; ++k) {
      const int y = 1500 - speedOffsets[k];
      EXPECT_EQ(speed[k].pen.style, PenStyle::Dot);
      EXPECT_EQ(Path({speed[k]}), (std::vector<Point>{{510, y}, {1500, y}}));
    }
    // Speed curve: 740.7 -> 741, and the fastest section at 800 = 0.8 x H.
    EXPECT_EQ(
        Path(SegmentsIn(ops, kGreen, 5)),
        (std::vector<Point>{
            {500, 1500}, {500, 759}, {1000, 759}, {1000, 700}, {1500, 700}}));
  }
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
      EXPECT_EQ(Path({grey.back()}),
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
    const auto fonts = OpsOf(ops, Kind::CreateFont);
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

}  // namespace
}  // namespace qv::graphtest
