// The Qt drawing context on real pixels: far coordinates scaled and clipped;
// the section graph drawn through it is checked on quorvane-report's PNG.
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
