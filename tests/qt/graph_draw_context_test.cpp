// The Qt drawing context on real pixels; the section graph drawn through it
// is checked on quorvane-report's PNG.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <climits>
#include <functional>
#include <set>

#include "app/qt/qt_draw_context.h"

namespace qv::qt {
namespace {

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);

// Draws on an image of the fill colour, the painter scaled as given.
QImage Render(int w, int h, QRgb fill, std::function<void(IDrawContext&)> draw,
              qreal scale = 1) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  QPainter painter(&image);
  painter.scale(scale, scale);
  draw(*std::make_unique<QtDrawContext>(painter));
  return painter.end(), image;
}

// The rows where a column (or with x -1, every column) has the colour.
std::multiset<int> Rows(const QImage& image, QRgb color, int x = -1) {
  std::multiset<int> rows;
  for (int y = 0; y < image.height(); ++y)
    for (int i = std::max(x, 0); i < (x < 0 ? image.width() : x + 1); ++i)
      if (image.pixel(i, y) == color) rows.insert(y);
  return rows;
}

// The fresh pen draws black, one pixel wide, leaving out the end point
// (right, down, left, up, diagonally); then a pen of width 5 and a dotted
// one, each kept while selected though deleted.
TEST(QtDrawContext, PensDrawAsAWindowsPenDoes) {
  const int lines[][4] = {{2, 3, 10, 3},    {12, 3, 12, 8}, {30, 20, 20, 20},
                          {35, 25, 35, 15}, {0, 10, 5, 15}, {10, 40, 50, 40},
                          {0, 60, 60, 60}};
  std::set<std::pair<int, int>> expected, black;
  const QImage image = Render(60, 70, kWhite, [&](IDrawContext& dc) {
    for (int i = 0; i < 7; ++i) {
      const auto& [x0, y0, x1, y1] = lines[i];
      if (i >= 5) {
        const PenHandle pen =
            i == 5 ? dc.CreatePen(PenStyle::Solid, 5, Rgb{192, 0, 0})
                   : dc.CreatePen(PenStyle::Dot, 1, Rgb{0, 0, 255});
        dc.SelectPen(pen);
        dc.DeletePen(pen);
      }
      dc.MoveTo(x0, y0);
      dc.LineTo(x1, y1);
      const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
      for (int k = 0; k < n && i < 5; ++k)
        expected.insert({x0 + k * (x1 - x0) / n, y0 + k * (y1 - y0) / n});
    }
  });
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 60; ++x)
      if (image.pixel(x, y) == kBlack) black.insert({x, y});
  EXPECT_EQ(black, expected);
  EXPECT_EQ(Rows(image, qRgb(192, 0, 0), 30),
            (std::multiset<int>{38, 39, 40, 41, 42}));
  const std::size_t dots = Rows(image, qRgb(0, 0, 255)).size();
  EXPECT_TRUE(dots >= 10 && dots <= 40) << dots;
}

// Scaled by four as on a printer page, where coordinates far beyond the
// surface must not overflow into the picture.
TEST(QtDrawContext, ScaledPainterScalesEverythingFarCoordinatesAreHarmless) {
  const auto far = [](IDrawContext& dc) {
    dc.FillSolidRect(Rect{INT_MIN, INT_MIN, INT_MAX, 5}, Rgb{0, 0, 255});
    dc.MoveTo(2, 10);
    dc.LineTo(INT_MAX, 10);
    dc.LineTo(INT_MAX, INT_MIN);
    dc.LineTo(INT_MIN, INT_MAX);
    dc.TextOut(INT_MAX, INT_MIN, "far away");
    dc.TextOut(INT_MIN, 15, "far away");
  };
  const QImage image = Render(100, 100, kWhite, far, 4);
  EXPECT_EQ(Rows(image, qRgb(0, 0, 255)).size(), 100u * 20);
  const std::size_t thick = Rows(image, kBlack, 60).size();
  EXPECT_TRUE(thick >= 3 && thick <= 5) << thick;
  EXPECT_TRUE(image.pixel(99, 40) == kBlack && image.pixel(4, 40) == kWhite);
}

}  // namespace
}  // namespace qv::qt
