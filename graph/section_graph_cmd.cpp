// The section graph: elapsed time and speed against distance, drawn after
// every calculation into the graph area, and onto the printed page through
// the same routine with another layout.
//
// Grid positions truncate; the curves round (RoundAboveFourTenths). Every
// coordinate saturates at the int range, so degenerate data from a race file
// still gives a complete drawing.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "race/numtext.h"
#include "app/race_dlg.h"
#include "graph/graph_layout.h"
#include "graph/graph_scale.h"
#include "graph/label_layout.h"
#include "race/race_math.h"
#include "res/resource.h"
#include "res/strings.h"

namespace qv {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{192, 192, 192};
constexpr Rgb kPaleRed{255, 192, 192};
constexpr Rgb kPaleGreen{192, 255, 192};
constexpr Rgb kRed{192, 0, 0};
constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kComparisonBlue{0, 64, 224};

}  // namespace

namespace {

// The graph area, filled white, then the graph in the screen layout.
void DrawOnGraphArea(
    IPlatform& platform,
    const std::function<void(IDrawContext&, const Rect& client)>& draw) {
  std::unique_ptr<IDrawContext> dc = platform.GetDC(IDC_GRAPH);
  if (!dc) return;
  const Rect client = platform.GetClientRect(IDC_GRAPH);
  dc->FillSolidRect(client, kWhite);
  draw(*dc, client);
}

}  // namespace

void CRaceDlg::DrawGraph() {
  DrawOnGraphArea(m_platform, [this](IDrawContext& dc, const Rect& client) {
    DrawSectionGraph(dc, kScreenGraphLayout, ScreenPlotRect(client), client,
                     false);
  });
}

void CRaceDlg::DrawGraphReversed() {
  DrawOnGraphArea(m_platform, [this](IDrawContext& dc, const Rect& client) {
    DrawSectionGraph(dc, kScreenGraphLayout, ScreenPlotRect(client), client,
                     true);
  });
}

// Normal: time up the vertical axis, distance along the horizontal one.
// Reversed: the two exchanged. The speed axis is vertical in both. Styles
// (pen, text colour, positions) belong to the axis, not to the quantity.
void CRaceDlg::DrawSectionGraph(IDrawContext& dc, const GraphLayout& layout,
                                const Rect& plot, const Rect& picture,
                                bool reversed) {
  const int L = plot.left;
  const int T = plot.top;
  const int R = plot.right;
  const int B = plot.bottom;
  const int W = SatSub(R, L);
  const int H = SatSub(B, T);

  // What the last compute computed, whatever has been edited since.
  const int n = ComputedCount();
  auto computed = [&](int i) -> const ComputedSection& {
    return ComputedRow(i);
  };
  int finalTime = n > 0 ? computed(n - 1).arrival : 0;
  double finalKm = n > 0 ? computed(n - 1).endKm : 0.0;
  // The axes cover the race compared with too.
  if (m_comparison) {
    finalTime = std::max(finalTime, LatestTime(*m_comparison));
    finalKm = std::max(finalKm, FarthestKm(*m_comparison));
  }
  const int unit = static_cast<int>(m_race.speedUnit);
  // MaxSpeedValue reads one pace even of a race without sections.
  std::vector<int> paces(static_cast<std::size_t>(std::max(n, 1)));
  for (int i = 0; i < n; ++i) paces[static_cast<std::size_t>(i)] = computed(i).pace;
  const double maxSpeed = MaxSpeedValue(paces.data(), n, unit);

  // Non-finite factors (a final time or distance of 0) are allowed: Trunc
  // and RoundAboveFourTenths turn what they produce into small integers.
  const double timeFactor =
      static_cast<double>(reversed ? W : H) / static_cast<double>(finalTime);
  const double kmFactor = static_cast<double>(reversed ? H : W) / finalKm;
  const double speedFactor =
      static_cast<double>(H) / maxSpeed * layout.speedMaxFraction;
  const AxisRow timeRow = ChooseAxisRow(static_cast<double>(finalTime));
  const AxisRow speedRow = ChooseAxisRow(maxSpeed);

  // Where the grid lines stand: offsets from B (lines across) or from L
  // (lines up), and the speed lines' heights.
  std::vector<int> timeAt;
  for (int k = 1; k <= timeRow.quotient; ++k)
    timeAt.push_back(Trunc(k * timeRow.step * timeFactor));
  std::vector<int> kmAt;
  for (int i = 0; i < n; ++i) kmAt.push_back(Trunc(kmFactor * computed(i).endKm));
  std::vector<int> speedY;
  for (int k = 1; k <= speedRow.quotient + 1; ++k)
    speedY.push_back(SatSub(B, Trunc(k * speedRow.step * speedFactor)));

  // Every text where the layout wants it; which are drawn, and where, is
  // decided over all of them at once. The captions come first, then the
  // distances, the times and the speeds.
  const Language lang = OutputLanguage();
  const std::string timeCaption = TimeCaption(timeRow, lang);
  const std::string distanceCaption(kDistanceCaption.In(lang));
  const GraphOffset speedAt =
      reversed ? layout.speedCaptionReversed : layout.speedCaption;
  const GraphOffset vc = layout.vCaption;
  const GraphOffset hc = layout.hCaption;
  std::vector<GraphLabel> labels = {
      {SatAdd(L, vc.dx), SatAdd(T, vc.dy),
       reversed ? distanceCaption : timeCaption, vc.dx >= 0 && vc.dy >= 0,
       true},
      {SatAdd(R, hc.dx), SatAdd(B, hc.dy),
       reversed ? timeCaption : distanceCaption, hc.dx < 0 && hc.dy < 0, true},
      {SatAdd(R, speedAt.dx),
       SatAdd(layout.speedCaptionFromTop ? T : B, speedAt.dy),
       SpeedCaption(unit, speedRow, lang),
       speedAt.dx < 0 && (layout.speedCaptionFromTop ? speedAt.dy >= 0
                                                     : speedAt.dy < 0),
       true},
  };
  // A grid label by the axis its line crosses: its text's corner and
  // whether the layout puts it between the frame's lines.
  auto gridLabel = [&](bool up, int offset, std::string text) {
    if (up) {
      labels.push_back({SatAdd(L, layout.vGridLabel.dx),
                        SatAdd(SatSub(B, offset), layout.vGridLabel.dy),
                        std::move(text), layout.vGridLabel.dx >= 0, false});
    } else {
      labels.push_back({SatAdd(SatAdd(L, offset), layout.hGridLabel.dx),
                        SatAdd(B, layout.hGridLabel.dy), std::move(text),
                        layout.hGridLabel.dy < 0, false});
    }
  };
  const std::size_t firstKm = labels.size();
  for (int i = 0; i < n; ++i)
    gridLabel(reversed, kmAt[static_cast<std::size_t>(i)],
              FormatG(computed(i).endKm));
  // The finish shows whatever it meets; the labels before it give way.
  if (n > 0) labels.back().always = true;
  const std::size_t firstTime = labels.size();
  for (int k = 1; k <= timeRow.quotient; ++k)
    gridLabel(!reversed, timeAt[static_cast<std::size_t>(k - 1)],
              Format1f(k / timeRow.divisor));
  const std::size_t firstSpeed = labels.size();
  for (int k = 1; k <= speedRow.quotient + 1; ++k) {
    labels.push_back({SatAdd(R, layout.speedGridLabel.dx),
                      SatAdd(speedY[static_cast<std::size_t>(k - 1)],
                             layout.speedGridLabel.dy),
                      Format1f(k / speedRow.divisor),
                      layout.speedGridLabel.dx < 0, false});
  }
  const std::vector<PlacedLabel> placed =
      PlaceLabels(labels, layout.fontHeight, plot, picture);
  auto text = [&](std::size_t i) {
    if (placed[i].drawn) dc.TextOut(placed[i].x, placed[i].y, labels[i].text);
  };

  const PenHandle greyPen =
      dc.CreatePen(PenStyle::Solid, layout.gridPenWidth, kGrey);
  const PenHandle keptPen = dc.SelectPen(greyPen);
  const FontHandle font = dc.CreateFont(layout.fontHeight, kFontFace);
  const FontHandle keptFont = dc.SelectFont(font);

  // A grid line in each axis style, with its label; offset is the distance
  // from the baseline (B) or from the left edge (L).
  auto verticalAxisLine = [&](int offset, std::size_t label) {
    const int y = SatSub(B, offset);
    dc.MoveTo(L, y);
    dc.LineTo(SatSub(R, layout.vGridRightInset), y);
    text(label);
  };
  auto horizontalAxisLine = [&](int offset, std::size_t label) {
    const int x = SatAdd(L, offset);
    dc.MoveTo(x, T);
    dc.LineTo(x, B);
    text(label);
  };
  auto timeGrid = [&](auto&& drawLine) {
    for (std::size_t k = 0; k < timeAt.size(); ++k)
      drawLine(timeAt[k], firstTime + k);
  };
  auto distanceGrid = [&](auto&& drawLine) {
    for (std::size_t i = 0; i < kmAt.size(); ++i)
      drawLine(kmAt[i], firstKm + i);
  };

  PenHandle paleRedPen = 0;
  auto useVerticalAxisStyle = [&] {
    dc.SetTextColor(kRed);
    paleRedPen = dc.CreatePen(PenStyle::Solid, layout.gridPenWidth, kPaleRed);
    dc.SelectPen(paleRedPen);
  };

  if (!reversed) {
    useVerticalAxisStyle();
    timeGrid(verticalAxisLine);
    dc.SetTextColor(kBlack);
    dc.SelectPen(greyPen);
    distanceGrid(horizontalAxisLine);
  } else {
    // The grey pen and the context's black text are already in force.
    timeGrid(horizontalAxisLine);
    useVerticalAxisStyle();
    distanceGrid(verticalAxisLine);
  }

  // Speed grid: one line more than the quotient, the last above the maximum.
  dc.SetTextColor(kGreen);
  const PenHandle paleGreenPen =
      dc.CreatePen(layout.speedGridStyle, layout.gridPenWidth, kPaleGreen);
  dc.SelectPen(paleGreenPen);
  for (std::size_t k = 0; k < speedY.size(); ++k) {
    dc.MoveTo(SatAdd(L, layout.speedGridLeftInset), speedY[k]);
    dc.LineTo(R, speedY[k]);
    text(firstSpeed + k);
  }

  // Where the final time would be reached at an even pace.
  dc.SelectPen(greyPen);
  dc.MoveTo(L, B);
  dc.LineTo(R, T);

  // The captions: vertical axis, horizontal axis, speed.
  if (!reversed) {
    dc.SetTextColor(kRed);
    text(0);
    dc.SetTextColor(kBlack);
    text(1);
  } else {
    dc.SetTextColor(kBlack);
    text(1);
    dc.SetTextColor(kRed);
    text(0);
  }
  dc.SetTextColor(kGreen);
  text(2);

  // The frame, in the pen the caller had selected.
  dc.SelectFont(keptFont);
  dc.SelectPen(keptPen);
  dc.MoveTo(L, T);
  dc.LineTo(L, B);
  dc.LineTo(R, B);
  dc.LineTo(R, T);
  dc.LineTo(L, T);

  // Time curve: per section a loss leg along the time axis, then a running
  // leg. The legs are rounded one by one and accumulate, so the curve
  // follows the sum of the section lengths, not their end points.
  const PenHandle redPen =
      dc.CreatePen(PenStyle::Solid, layout.curvePenWidth, kRed);
  dc.SelectPen(redPen);
  int x = L;
  int y = B;
  dc.MoveTo(x, y);
  for (int i = 0; i < n; ++i) {
    const int loss = RoundAboveFourTenths(computed(i).loss * timeFactor);
    if (!reversed) {
      y = SatSub(y, loss);
    } else {
      x = SatAdd(x, loss);
    }
    dc.LineTo(x, y);
    // In double, so that no difference of two times can overflow.
    const double running = static_cast<double>(computed(i).arrival) -
                           static_cast<double>(computed(i).departure);
    const int run = RoundAboveFourTenths(running * timeFactor);
    const int length =
        RoundAboveFourTenths((computed(i).endKm - computed(i).startKm) * kmFactor);
    if (!reversed) {
      y = SatSub(y, run);
      x = SatAdd(x, length);
    } else {
      x = SatAdd(x, run);
      y = SatSub(y, length);
    }
    dc.LineTo(x, y);
  }

  // The race compared with: its departures and arrivals joined, dashed.
  PenHandle comparisonPen = 0;
  if (m_comparison) {
    comparisonPen =
        dc.CreatePen(PenStyle::Dash, layout.curvePenWidth, kComparisonBlue);
    dc.SelectPen(comparisonPen);
    auto point = [&](double km, int t) {
      const int along = RoundAboveFourTenths(km * kmFactor);
      const int time = RoundAboveFourTenths(t * timeFactor);
      return reversed ? std::pair{SatAdd(L, time), SatSub(B, along)}
                      : std::pair{SatAdd(L, along), SatSub(B, time)};
    };
    dc.MoveTo(L, B);
    for (const ComputedSection& s : m_comparison->sections) {
      const auto [x0, y0] = point(s.startKm, s.departure);
      dc.LineTo(x0, y0);
      const auto [x1, y1] = point(s.endKm, s.arrival);
      dc.LineTo(x1, y1);
    }
  }

  // Speed curve: a step per section, up to its speed and along to where the
  // section ends on the horizontal axis (its end point or its arrival time).
  dc.SelectPen(keptPen);
  const PenHandle greenPen =
      dc.CreatePen(PenStyle::Solid, layout.curvePenWidth, kGreen);
  dc.SelectPen(greenPen);
  x = L;
  dc.MoveTo(L, B);
  for (int i = 0; i < n; ++i) {
    y = SatSub(
        B, RoundAboveFourTenths(ScaledSpeed(computed(i).pace, unit, speedFactor)));
    dc.LineTo(x, y);
    const double along =
        reversed ? timeFactor * computed(i).arrival : kmFactor * computed(i).endKm;
    x = SatAdd(L, RoundAboveFourTenths(along));
    dc.LineTo(x, y);
  }

  dc.SelectPen(keptPen);
  dc.DeleteFont(font);
  dc.DeletePen(greyPen);
  dc.DeletePen(paleRedPen);
  dc.DeletePen(paleGreenPen);
  dc.DeletePen(redPen);
  dc.DeletePen(greenPen);
  if (comparisonPen != 0) dc.DeletePen(comparisonPen);
}

}  // namespace qv
