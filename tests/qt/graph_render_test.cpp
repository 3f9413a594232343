// The section graph on real pixels: the dialog computes on the headless
// platform, and its recorded drawing is replayed onto an image through the
// Qt drawing context, as quorvane-report renders it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/headless/replay.h"
#include "tests/doubles/test_platform.h"
#include "app/qt/qt_draw_context.h"
#include "app/race_dlg.h"
#include "res/resource.h"

namespace qv {
namespace {

using headless::DrawOp;
using Kind = headless::DrawOp::Kind;

// The plot rectangle of the 356 x 290 graph area.
constexpr int kL = 5;
constexpr int kT = 5;
constexpr int kR = 351;
constexpr int kB = 285;
constexpr int kH = kB - kT;

struct Entered {
  double startKm;
  double endKm;
  int loss;
  int arrival;
};

// A contiguous course from 0 km whose departures are the previous arrival
// plus the loss, as the input panel stores them. The second section is the
// slowest, the third the fastest. Its legs round to 280 and 346 pixels in
// the normal orientation and to 347 and 279 in the reversed one.
const std::vector<Entered> kCourse = {
    {0, 5, 0, 150000}, {5, 10, 3000, 330000}, {10, 21.0975, 0, 660000}};

QImage DrawCourse(int axis, int unit, std::vector<DrawOp>* recorded) {
  doubles::Platform platform;
  CRaceDlg dlg(platform);
  dlg.OnInitDialog();
  int previousArrival = 0;
  for (std::size_t i = 0; i < kCourse.size(); ++i) {
    dlg.m_startKm[i] = kCourse[i].startKm;
    dlg.m_endKm[i] = kCourse[i].endKm;
    dlg.m_loss[i] = kCourse[i].loss;
    dlg.m_arrival[i] = kCourse[i].arrival;
    dlg.m_departure[i] = previousArrival + kCourse[i].loss;
    previousArrival = kCourse[i].arrival;
  }
  dlg.m_nSections = dlg.m_nInputIndex = static_cast<int>(kCourse.size());
  platform.Combo(IDC_GRAPH_AXIS).SetCurSel(axis);
  platform.Combo(IDC_SPEED_UNIT).SetCurSel(unit);
  platform.ClearSurface(IDC_GRAPH);
  dlg.OnCompute();
  *recorded = platform.Surface(IDC_GRAPH);

  const Rect client = platform.GetClientRect(IDC_GRAPH);
  QImage image(client.Width(), client.Height(), QImage::Format_RGB32);
  image.fill(Qt::gray);  // the drawing fills its own white
  QPainter painter(&image);
  qt::QtDrawContext dc(painter);
  headless::Replay(*recorded, dc);
  return image;
}

// The last point of the lines drawn in a pen of this colour and width.
struct Point {
  int x = INT_MIN;
  int y = INT_MIN;
};

Point LastPoint(const std::vector<DrawOp>& ops, Rgb color, int width) {
  std::map<int, std::pair<Rgb, int>> pens;
  Point last;
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::CreatePen) pens[op.handle] = {op.color, op.width};
    if (op.kind == Kind::LineTo && pens.count(op.pen) != 0 &&
        pens[op.pen].first == color && pens[op.pen].second == width) {
      last = {op.x, op.y};
    }
  }
  return last;
}

const QRgb kCurveRed = qRgb(192, 0, 0);
const QRgb kCurveGreen = qRgb(0, 128, 0);

class GraphPixels : public ::testing::TestWithParam<int> {};

TEST_P(GraphPixels, TimeCurveEndsAtTheDiagonalsFarCorner) {
  std::vector<DrawOp> ops;
  const QImage image = DrawCourse(GetParam(), 0, &ops);
  // The legs' rounding leaves the end within a pixel of (R, T)...
  const Point end = LastPoint(ops, Rgb{192, 0, 0}, 2);
  EXPECT_LE(std::abs(end.x - kR), 1);
  EXPECT_LE(std::abs(end.y - kT), 1);
  // ... and the red curve covers that corner's pixel or a neighbour on the
  // image; it goes no further than its end plus half the pen's width.
  int nearest = INT_MAX;
  int rightmost = INT_MIN;
  int topmost = INT_MAX;
  for (int y = 0; y < 40; ++y) {
    for (int x = kR - 40; x < image.width(); ++x) {
      if (image.pixel(x, y) != kCurveRed) continue;
      nearest = std::min(nearest, std::max(std::abs(x - kR), std::abs(y - kT)));
      rightmost = std::max(rightmost, x);
      topmost = std::min(topmost, y);
    }
  }
  EXPECT_LE(nearest, 1);
  EXPECT_LE(rightmost, kR + 2);
  EXPECT_GE(topmost, kT - 2);
  // The frame's corners are where the plot rectangle says.
  EXPECT_EQ(image.pixel(kL, kT), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(kL + 100, kB), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(kR, kB), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(kR + 2, kB + 2), qRgb(255, 255, 255));
}

// The slowest section (the fastest in km/h, unit 4) stands at 0.8 H above
// the baseline: the highest green of the curve, left of the speed labels.
class GraphTop : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(GraphTop, ExtremeSectionStandsAtEightyPercent) {
  std::vector<DrawOp> ops;
  const QImage image = DrawCourse(GetParam().first, GetParam().second, &ops);
  int top = INT_MAX;
  for (int y = 0; y < image.height(); ++y)
    for (int x = kL; x < kR - 30; ++x)
      if (image.pixel(x, y) == kCurveGreen) top = std::min(top, y);
  EXPECT_LE(std::abs(top - (kB - (kH * 8 + 5) / 10)), 1) << top;
}

INSTANTIATE_TEST_SUITE_P(Axes, GraphPixels, ::testing::Values(0, 1));
INSTANTIATE_TEST_SUITE_P(AxesAndUnits, GraphTop,
                         ::testing::Values(std::pair{0, 0}, std::pair{1, 0},
                                           std::pair{0, 4}));

}  // namespace
}  // namespace qv
