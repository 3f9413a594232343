// Which of the graph's texts are drawn, and where: checked by what must hold
// of any placement, on rides whose labels crowd each other and the frame.
#include "graph/label_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "graph/graph_layout.h"
#include "race/numtext.h"

namespace qv {
namespace {

using XY = std::pair<int, int>;

bool Meet(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom &&
         b.top < a.bottom;
}
bool Within(const Rect& r, const Rect& area) {
  return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
         r.bottom <= area.bottom;
}

struct Case {
  const char* name;
  int fontHeight;
  Rect plot, picture;
  std::vector<GraphLabel> labels;
  std::set<std::string> drawn, leftOut;
};

// Distance labels as the graph places them, the last (the finish) always
// drawn: across below the plot's top edge (dy < 0 from the bottom line,
// inside) or outside below it (paper), or up along the left edge.
enum class Along { Bottom, BelowPaper, Left };
std::vector<GraphLabel> KmLabels(const std::vector<double>& ends,
                                 const Rect& plot, Along along) {
  const double last = ends.back();
  std::vector<GraphLabel> out;
  for (double km : ends) {
    const int across = static_cast<int>(km * plot.Width() / last);
    const int up = static_cast<int>(km * plot.Height() / last);
    const std::string text = FormatG(km);
    switch (along) {
      case Along::Bottom:
        out.push_back({plot.left + across - 4, plot.bottom - 12, text, true});
        break;
      case Along::BelowPaper:
        out.push_back({plot.left + across - 15, plot.bottom + 15, text, false});
        break;
      case Along::Left:
        out.push_back({plot.left + 4, plot.bottom - up - 4, text, true});
        break;
    }
  }
  out.back().always = true;
  return out;
}

const std::vector<double> kRide = {
    2.310,  4.875,  6.402,  8.996,  11.204, 13.870, 15.112, 18.455,
    20.931, 22.004, 24.760, 27.318, 29.905, 31.227, 33.840, 36.102,
    38.575, 40.011, 42.690, 44.003, 45.705, 47.547, 50.038, 53.416,
    55.270, 58.893, 61.005, 63.742, 66.180, 68.921, 71.064, 73.515,
    76.847, 79.002, 81.660, 84.237, 86.118, 88.940, 91.407, 92.622};

std::vector<double> HundredMetres() {
  std::vector<double> ends;
  for (int i = 1; i <= 45; ++i) ends.push_back(i / 10.0);
  return ends;
}

TEST(LabelLayout, NoTextOverAnotherOrCutAndTheFinishAlwaysDrawn) {
  const Rect screen{5, 5, 351, 285}, screenArea{0, 0, 356, 290};
  const Rect wide{5, 5, 637, 285}, wideArea{0, 0, 642, 290};
  const Rect paper = PrintedPlotRect(2000, 600);
  const Rect page = PrintedPictureRect(2000, 600);
  // Time labels 31 apart up the left edge, clear of everything.
  std::vector<GraphLabel> tens;
  for (int k = 1; k <= 8; ++k)
    tens.push_back({9, 285 - 31 * k - 4, std::to_string(k * 10) + ".0", true});
  // On paper the time labels stand left of the frame: wide ones reach it.
  std::vector<GraphLabel> paperTimes;
  for (int k = 1; k <= 9; ++k)
    paperTimes.push_back({paper.left - 100, paper.bottom - 200 * k - 15,
                          std::to_string(k * 10000) + ".0", false});
  const Case cases[] = {
      {"ride", 10, wide, wideArea, KmLabels(kRide, wide, Along::Bottom),
       {"47.547", "92.622"}, {"45.705", "50.038", "91.407"}},
      {"ride reversed", 10, wide, wideArea, KmLabels(kRide, wide, Along::Left),
       {"92.622"}, {"91.407"}},
      {"ride on paper", 30, paper, page,
       KmLabels(kRide, paper, Along::BelowPaper), {"92.622"}, {"91.407"}},
      {"45 x 100 m", 10, screen, screenArea,
       KmLabels(HundredMetres(), screen, Along::Bottom), {"4.5"}, {"4.4"}},
      {"1 km after 42", 10, screen, screenArea,
       KmLabels({42, 43}, screen, Along::Bottom), {"43"}, {"42"}},
      {"apart", 10, screen, screenArea, tens,
       {"10.0", "80.0"}, {}},
      {"wide on paper", 30, paper, page, paperTimes, {"90000.0"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto placed = PlaceLabels(c.labels, c.fontHeight, c.plot, c.picture);
    ASSERT_EQ(placed.size(), c.labels.size());
    const Rect between{c.plot.left + 1, c.plot.top + 1, c.plot.right,
                       c.plot.bottom};
    const Rect frame{c.plot.left, c.plot.top, c.plot.right + 1,
                     c.plot.bottom + 1};
    auto box = [&](std::size_t i) {
      return LabelBox(placed[i].x, placed[i].y, c.labels[i].text, c.fontHeight);
    };
    std::set<std::string> drawn, leftOut;
    for (std::size_t i = 0; i < c.labels.size(); ++i) {
      const GraphLabel& l = c.labels[i];
      const Rect wanted = LabelBox(l.x, l.y, l.text, c.fontHeight);
      const bool clear = Within(wanted, c.picture) &&
                         (l.inside ? Within(wanted, between) : !Meet(wanted, frame));
      // Only a cut label moves.
      if (clear) {
        EXPECT_EQ(XY(placed[i].x, placed[i].y), XY(l.x, l.y)) << l.text;
      }
      EXPECT_TRUE(Within(box(i), c.picture)) << l.text;
      EXPECT_TRUE(l.inside ? Within(box(i), between) : !Meet(box(i), frame))
          << l.text;
      (placed[i].drawn ? drawn : leftOut).insert(l.text);
      bool met = false;
      // A third of the font height stays between two labels along a line.
      const int gap = c.fontHeight / 3;
      Rect spaced = box(i);
      spaced.left -= gap, spaced.right += gap;
      for (std::size_t j = 0; j < c.labels.size(); ++j) {
        if (j == i || !placed[j].drawn || !Meet(spaced, box(j))) continue;
        // A drawn label keeps its space from all; a left-out one lacks it
        // from one placed before.
        EXPECT_FALSE(placed[i].drawn && !c.labels[i].always)
            << l.text << " by " << c.labels[j].text;
        met = met || j < i || c.labels[j].always;
      }
      if (!placed[i].drawn) {
        EXPECT_TRUE(met) << l.text;
      }
    }
    EXPECT_TRUE(placed.back().drawn || !c.labels.back().always);
    for (const std::string& t : c.drawn) EXPECT_TRUE(drawn.contains(t)) << t;
    for (const std::string& t : c.leftOut) EXPECT_TRUE(leftOut.contains(t)) << t;
    if (c.leftOut.empty()) {
      EXPECT_TRUE(leftOut.empty());
    }
  }
}

// The width bound, at least what the fonts draw: a full height for a wide
// character, over half of it for digits and letters, less for points and
// brackets, nothing without a height.
TEST(LabelLayout, WidthBound) {
  const struct {
    const char* text;
    int height, width;
  } cases[] = {
      {"", 10, 0},        {"8", 10, 6},        {"10.0", 10, 20},
      {"92.622", 10, 31}, {"Time(分)", 10, 39}, {"距離(km)", 30, 114},
      {"100.0", 10, 25},  {"x", 0, 0},         {"x", -5, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LabelWidth(c.text, c.height), c.width) << c.text << c.height;
}

}  // namespace
}  // namespace qv
