// The Qt drawing context on real pixels (an image, a painter scaled as on a
// printer page) and the section graph replayed through it as
// quorvane-report renders it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <climits>
#include <functional>
#include <set>

#include "app/headless/replay.h"
#include "app/qt/qt_draw_context.h"
#include "tests/core/graph_test_support.h"
#include "tests/core/race_fixture.h"

namespace qv::qt {
namespace {

using graphtest::kB, graphtest::kL, graphtest::kR, graphtest::kT;
const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(192, 0, 0), kGreen = qRgb(0, 128, 0);

QImage Render(int w, int h, QRgb fill,
              const std::function<void(IDrawContext&)>& draw, qreal scale = 1) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  QPainter painter(&image);
  painter.scale(scale, scale);
  draw(*std::make_unique<QtDrawContext>(painter));
  painter.end();
  return image;
}

// The pixels of a colour, in one column or all.
using Pixels = std::set<std::pair<int, int>>;
Pixels Where(const QImage& image, QRgb color, int onlyX = -1) {
  Pixels found;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == color && (onlyX < 0 || x == onlyX))
        found.insert({x, y});
  return found;
}

TEST(QtDrawContext, FreshPenIsBlackOnePixelAndLeavesOutTheEndPoint) {
  // Right, down, left, up and diagonally.
  const int lines[][4] = {{2, 3, 10, 3},
                          {12, 3, 12, 8},
                          {30, 20, 20, 20},
                          {35, 25, 35, 15},
                          {0, 10, 5, 15}};
  Pixels expected;
  const QImage image = Render(40, 30, kWhite, [&](IDrawContext& dc) {
    for (const auto& l : lines) {
      dc.MoveTo(l[0], l[1]);
      dc.LineTo(l[2], l[3]);
      const int n = std::max(std::abs(l[2] - l[0]), std::abs(l[3] - l[1]));
      for (int k = 0; k < n; ++k)
        expected.insert(
            {l[0] + k * (l[2] - l[0]) / n, l[1] + k * (l[3] - l[1]) / n});
    }
  });
  EXPECT_EQ(Where(image, kBlack), expected);
  EXPECT_EQ(Where(image, kWhite).size(), 40 * 30 - expected.size());
}

TEST(QtDrawContext, PensHaveWidthColourAndStyle) {
  const QImage image = Render(60, 40, kWhite, [](IDrawContext& dc) {
    const PenHandle wide = dc.CreatePen(PenStyle::Solid, 5, Rgb{192, 0, 0});
    dc.SelectPen(wide);
    dc.DeletePen(wide);  // selected, so kept
    dc.MoveTo(10, 10);
    dc.LineTo(50, 10);
    dc.SelectPen(dc.CreatePen(PenStyle::Dot, 1, Rgb{0, 0, 255}));
    dc.MoveTo(0, 30);
    dc.LineTo(60, 30);
    dc.SelectPen(dc.CreatePen(PenStyle::Solid, 0, Rgb{0, 128, 0}));
    dc.MoveTo(0, 35);
    dc.LineTo(60, 35);
  });
  // Five rows centred on the line; a dotted line has gaps; width 0 is 1.
  EXPECT_EQ(Where(image, kRed, 30),
            (Pixels{{30, 8}, {30, 9}, {30, 10}, {30, 11}, {30, 12}}));
  const std::size_t dots = Where(image, qRgb(0, 0, 255)).size();
  EXPECT_TRUE(dots >= 10 && dots <= 40) << dots;
  EXPECT_EQ(Where(image, kGreen, 20), (Pixels{{20, 35}}));
}

// Scaled by four as on a printer page, where coordinates far beyond the
// surface must not overflow into the picture.
TEST(QtDrawContext, ScaledPainterScalesEverythingAndFarCoordinatesAreHarmless) {
  const QImage image = Render(
      100, 100, kWhite,
      [](IDrawContext& dc) {
        dc.FillSolidRect(Rect{INT_MIN, INT_MIN, INT_MAX, 5}, Rgb{0, 0, 255});
        dc.MoveTo(2, 10);
        dc.LineTo(INT_MAX, 10);
        dc.LineTo(INT_MAX, INT_MIN);
        dc.LineTo(INT_MIN, INT_MAX);
        dc.TextOut(INT_MAX, INT_MIN, "far away");
        dc.TextOut(INT_MIN, 15, "far away");
      },
      4);
  EXPECT_EQ(Where(image, qRgb(0, 0, 255)).size(), 100u * 20);
  const std::size_t rows = Where(image, kBlack, 60).size();
  EXPECT_TRUE(rows >= 3 && rows <= 5) << rows;
  EXPECT_EQ(image.pixel(99, 40), kBlack);
  EXPECT_EQ(image.pixel(4, 40), kWhite);
}

// Its legs round to 280 and 346 pixels, reversed to 347 and 279: the time
// curve ends within a pixel of the plot's far corner (R, T). The extreme
// section (the second, slowest; the third, fastest in km/h: unit 4)
// stands at 0.8 of the height.
using SectionGraph = testing::RaceFixture;
TEST_F(SectionGraph, TimeCurveEndsAtTheFarCornerExtremeSectionAtEighty) {
  Enter({{0, 5, 0, 0, 150000, 0, 0},
         {5, 10, 3000, 153000, 330000, 0, 0},
         {10, 21.0975, 0, 330000, 660000, 0, 0}});
  for (const auto& [axis, unit] : {std::pair{0, 0}, {1, 0}, {0, 4}}) {
    SCOPED_TRACE(::testing::Message() << "axis " << axis << " unit " << unit);
    platform.ClearSurface(IDC_GRAPH);
    Compute(0, 0, unit, axis);
    const Rect area = platform.GetClientRect(IDC_GRAPH);
    // On grey: the drawing fills its own white.
    const QImage image =
        Render(area.Width(), area.Height(), qRgb(128, 128, 128),
               [&](IDrawContext& dc) {
                 headless::Replay(platform.Surface(IDC_GRAPH), dc);
               });
    EXPECT_EQ(image.pixel(kL, kT), kBlack);
    EXPECT_EQ(image.pixel(kL + 100, kB), kBlack);
    EXPECT_EQ(image.pixel(kR, kB), kBlack);
    EXPECT_EQ(image.pixel(kR + 2, kB + 2), kWhite);
    // Near the corner the curve goes no further than half its pen.
    int nearest = INT_MAX, right = INT_MIN, top = INT_MAX, green = INT_MAX;
    for (const auto& [x, y] : Where(image, kRed)) {
      if (y >= 40 || x <= kR - 40) continue;
      nearest = std::min(nearest, std::max(std::abs(x - kR), std::abs(y - kT)));
      right = std::max(right, x);
      top = std::min(top, y);
    }
    for (const auto& [x, y] : Where(image, kGreen))
      if (x >= kL && x < kR - 30) green = std::min(green, y);  // not labels
    EXPECT_LE(nearest, 1);
    EXPECT_LE(right, kR + 2);
    EXPECT_GE(top, kT - 2);
    EXPECT_LE(std::abs(green - (kB - ((kB - kT) * 8 + 5) / 10)), 1) << green;
  }
}

}  // namespace
}  // namespace qv::qt
