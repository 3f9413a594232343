// The Qt drawing context on real pixels: an offscreen image, a scaled
// painter as on a printer page, and a vector surface.
#include <gtest/gtest.h>

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <climits>
#include <vector>

#include "res/strings.h"
#include "app/qt/qt_draw_context.h"
#include "app/qt/qt_fonts.h"

namespace qv::qt {
namespace {


QRgb Rgb32(int r, int g, int b) { return qRgb(r, g, b); }
const QRgb kWhitePx = Rgb32(255, 255, 255);
const QRgb kBlackPx = Rgb32(0, 0, 0);
const QRgb kBluePx = Rgb32(0, 0, 255);

// Draws on a fresh image of the given colour through a fresh context.
template <typename Draw>
QImage Render(int w, int h, QRgb fill, Draw&& draw) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  {
    QPainter painter(&image);
    QtDrawContext dc(painter);
    draw(dc);
  }
  return image;
}

std::vector<int> LitColumns(const QImage& image, int y, QRgb color) {
  std::vector<int> xs;
  for (int x = 0; x < image.width(); ++x)
    if (image.pixel(x, y) == color) xs.push_back(x);
  return xs;
}

std::vector<int> LitRows(const QImage& image, int x, QRgb color) {
  std::vector<int> ys;
  for (int y = 0; y < image.height(); ++y)
    if (image.pixel(x, y) == color) ys.push_back(y);
  return ys;
}

TEST(QtDrawContext, FreshPenIsBlackOnePixelAndLeavesOutTheEndPoint) {
  const QImage image = Render(40, 30, kWhitePx, [](IDrawContext& dc) {
    dc.MoveTo(2, 3);
    dc.LineTo(10, 3);  // right
    dc.LineTo(10, 8);  // down
    dc.MoveTo(30, 20);
    dc.LineTo(20, 20);  // left
    dc.MoveTo(35, 25);
    dc.LineTo(35, 15);  // up
    dc.MoveTo(0, 10);
    dc.LineTo(5, 15);  // diagonal
  });
  EXPECT_EQ(LitColumns(image, 3, kBlackPx),
            (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(LitRows(image, 10, kBlackPx), (std::vector<int>{3, 4, 5, 6, 7}));
  // (35 is the upward line crossing this row.)
  EXPECT_EQ(LitColumns(image, 20, kBlackPx),
            (std::vector<int>{21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 35}));
  EXPECT_EQ(LitRows(image, 35, kBlackPx),
            (std::vector<int>{16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
  for (int k = 0; k < 5; ++k) EXPECT_EQ(image.pixel(k, 10 + k), kBlackPx) << k;
  EXPECT_EQ(image.pixel(5, 15), kWhitePx);
  // Nothing else was touched.
  int black = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      black += image.pixel(x, y) == kBlackPx;
  EXPECT_EQ(black, 8 + 5 + 10 + 10 + 5);
}

TEST(QtDrawContext, PensHaveWidthColourAndStyle) {
  const QImage image = Render(60, 40, kWhitePx, [](IDrawContext& dc) {
    const PenHandle wide = dc.CreatePen(PenStyle::Solid, 5, Rgb{192, 0, 0});
    const PenHandle dotted = dc.CreatePen(PenStyle::Dot, 1, Rgb{0, 0, 255});
    const PenHandle zero = dc.CreatePen(PenStyle::Solid, 0, Rgb{0, 128, 0});
    EXPECT_EQ(dc.SelectPen(wide), 0);
    dc.MoveTo(10, 10);
    dc.LineTo(50, 10);
    EXPECT_EQ(dc.SelectPen(dotted), wide);
    dc.MoveTo(0, 30);
    dc.LineTo(60, 30);
    dc.SelectPen(zero);
    dc.MoveTo(0, 35);
    dc.LineTo(60, 35);
  });
  // Five rows, centred on the line.
  EXPECT_EQ(LitRows(image, 30, Rgb32(192, 0, 0)),
            (std::vector<int>{8, 9, 10, 11, 12}));
  // Dotted: some pixels of the line set, some left.
  const auto dots = LitColumns(image, 30, kBluePx);
  EXPECT_GE(dots.size(), 10u);
  EXPECT_LE(dots.size(), 40u);
  // Width 0 draws one pixel wide.
  EXPECT_EQ(LitRows(image, 20, Rgb32(0, 128, 0)), std::vector<int>{35});
}

TEST(QtDrawContext, SelectionAndDeletionKeepTheContextUsable) {
  const QImage image = Render(30, 10, kWhitePx, [](IDrawContext& dc) {
    const PenHandle red = dc.CreatePen(PenStyle::Solid, 1, Rgb{255, 0, 0});
    dc.SelectPen(red);
    // An unknown pen changes nothing; the selected one cannot be deleted.
    EXPECT_EQ(dc.SelectPen(999), red);
    dc.DeletePen(red);
    dc.MoveTo(0, 2);
    dc.LineTo(10, 2);
    // Reselected the context's own pen, the red one can go.
    EXPECT_EQ(dc.SelectPen(0), red);
    dc.DeletePen(red);
    EXPECT_EQ(dc.SelectPen(red), 0);  // gone: still the black pen
    dc.MoveTo(0, 5);
    dc.LineTo(10, 5);
  });
  EXPECT_EQ(image.pixel(4, 2), Rgb32(255, 0, 0));
  EXPECT_EQ(image.pixel(4, 5), kBlackPx);
}

TEST(QtDrawContext, TextIsOpaqueOnTheBackgroundColour) {
  int cellHeight = 0;
  int cellWidth = 0;
  const QImage image = Render(120, 60, kBluePx, [&](IDrawContext& dc) {
    const FontHandle font = dc.CreateFont(20, kFontFace);
    dc.SelectFont(font);
    cellHeight = dc.GetTextMetrics().height;
    const QFontMetrics metrics(FontByCellHeight(QString::fromUtf8(kFontFace), 20));
    cellWidth = metrics.horizontalAdvance(QStringLiteral("MM"));
    dc.SetTextColor(Rgb{192, 0, 0});
    dc.TextOut(10, 5, "MM");
    // A fill makes its colour the background of later text.
    dc.FillSolidRect(Rect{100, 50, 110, 55}, Rgb{255, 255, 0});
    dc.TextOut(10, 30, "MM");
  });
  ASSERT_GT(cellHeight, 10);
  ASSERT_GT(cellWidth, 10);
  // The cell's box, top-left at the point, blanks the blue.
  EXPECT_EQ(image.pixel(10, 5), kWhitePx);
  EXPECT_EQ(image.pixel(10 + cellWidth - 1, 5), kWhitePx);
  EXPECT_EQ(image.pixel(9, 5), kBluePx);
  EXPECT_EQ(image.pixel(10, 4), kBluePx);
  EXPECT_EQ(image.pixel(10 + cellWidth, 5), kBluePx);
  EXPECT_EQ(image.pixel(11, 5 + cellHeight), kBluePx);
  EXPECT_NE(image.pixel(11, 5 + cellHeight - 1), kBluePx);
  // The text itself in the text colour.
  int red = 0;
  for (int y = 5; y < 5 + cellHeight; ++y)
    for (int x = 10; x < 10 + cellWidth; ++x)
      red += image.pixel(x, y) == Rgb32(192, 0, 0);
  EXPECT_GT(red, 10);
  EXPECT_EQ(image.pixel(10, 30), Rgb32(255, 255, 0));
  EXPECT_EQ(image.pixel(105, 52), Rgb32(255, 255, 0));
}

TEST(QtDrawContext, CoordinatesBeyondAnySurfaceAreHarmless) {
  const QImage image = Render(40, 20, kWhitePx, [](IDrawContext& dc) {
    dc.FillSolidRect(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Rgb{0, 0, 255});
    dc.MoveTo(5, 5);
    dc.LineTo(INT_MAX, 5);
    dc.LineTo(INT_MAX, INT_MIN);
    dc.LineTo(INT_MIN, INT_MAX);
    const PenHandle wide = dc.CreatePen(PenStyle::Solid, 5, Rgb{0, 0, 0});
    dc.SelectPen(wide);
    dc.MoveTo(INT_MIN, INT_MIN);
    dc.LineTo(INT_MAX, INT_MAX);
    dc.TextOut(INT_MAX, INT_MIN, "far away");
    dc.TextOut(INT_MIN, 5, "far away");
  });
  EXPECT_EQ(image.pixel(0, 19), kBluePx);
  // The visible part of the long line.
  for (int x = 5; x < 40; ++x) EXPECT_EQ(image.pixel(x, 5), kBlackPx) << x;
}

TEST(QtDrawContext, ScaledPainterScalesPensAsOnAPrinterPage) {
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setWorldTransform(QTransform::fromScale(4, 4));
    QtDrawContext dc(painter);
    dc.MoveTo(2, 10);
    dc.LineTo(20, 10);
  }
  // One unit is four pixels: the line is about four pixels thick at y 40.
  const auto rows = LitRows(image, 40, kBlackPx);
  EXPECT_GE(rows.size(), 3u);
  EXPECT_LE(rows.size(), 5u);
  EXPECT_EQ(image.pixel(40, 20), kWhitePx);
}

}  // namespace
}  // namespace qv::qt
