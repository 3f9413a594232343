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

using Pixels = std::set<std::pair<int, int>>;
Pixels Where(const QImage& image, QRgb color) {
  Pixels found;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == color) found.insert({x, y});
  return found;
}

// The fresh pen draws black, one pixel wide, leaving out the end point
// (right, down, left, up, diagonally); then a pen of width 5 and a dotted
// one, each kept while selected though deleted.
TEST(QtDrawContext, PensDrawAsAWindowsPenDoes) {
  const int lines[][4] = {{2, 3, 10, 3},    {12, 3, 12, 8}, {30, 20, 20, 20},
                          {35, 25, 35, 15}, {0, 10, 5, 15}, {10, 40, 50, 40},
                          {0, 60, 60, 60}};
  Pixels expected;
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
  EXPECT_EQ(Where(image, kBlack), expected);
  // Five rows centred on the line.
  const Pixels red = Where(image.copy(30, 0, 1, 70), qRgb(192, 0, 0));
  EXPECT_EQ(red, (Pixels{{0, 38}, {0, 39}, {0, 40}, {0, 41}, {0, 42}}));
  const std::size_t dots = Where(image, qRgb(0, 0, 255)).size();
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
  EXPECT_EQ(Where(image, qRgb(0, 0, 255)).size(), 100u * 20);
  const std::size_t thick = Where(image.copy(60, 0, 1, 100), kBlack).size();
  EXPECT_TRUE(thick >= 3 && thick <= 5) << thick;
  EXPECT_TRUE(image.pixel(99, 40) == kBlack && image.pixel(4, 40) == kWhite);
}

}  // namespace
}  // namespace qv::qt
