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
    const std::function<void(IDrawContext&, const Rect&)>& draw) {
  std::unique_ptr<IDrawContext> dc = platform.GetDC(IDC_GRAPH);
  if (!dc) return;
  const Rect client = platform.GetClientRect(IDC_GRAPH);
  dc->FillSolidRect(client, kWhite);
  draw(*dc, ScreenPlotRect(client));
}

}  // namespace

void CRaceDlg::DrawGraph() {
  DrawOnGraphArea(m_platform, [this](IDrawContext& dc, const Rect& plot) {
    DrawSectionGraph(dc, kScreenGraphLayout, plot, false);
  });
}

void CRaceDlg::DrawGraphReversed() {
  DrawOnGraphArea(m_platform, [this](IDrawContext& dc, const Rect& plot) {
    DrawSectionGraph(dc, kScreenGraphLayout, plot, true);
  });
}

// Normal: time up the vertical axis, distance along the horizontal one.
// Reversed: the two exchanged. The speed axis is vertical in both. Styles
// (pen, text colour, positions) belong to the axis, not to the quantity.
void CRaceDlg::DrawSectionGraph(IDrawContext& dc, const GraphLayout& layout,
                                const Rect& plot, bool reversed) {
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

  const PenHandle greyPen =
      dc.CreatePen(PenStyle::Solid, layout.gridPenWidth, kGrey);
  const PenHandle keptPen = dc.SelectPen(greyPen);
  const FontHandle font = dc.CreateFont(layout.fontHeight, kFontFace);
  const FontHandle keptFont = dc.SelectFont(font);

  // A grid line in each axis style; offset is the distance from the
  // baseline (B) or from the left edge (L).
  auto verticalAxisLine = [&](int offset, const std::string& label) {
    const int y = SatSub(B, offset);
    dc.MoveTo(L, y);
    dc.LineTo(SatSub(R, layout.vGridRightInset), y);
    dc.TextOut(SatAdd(L, layout.vGridLabel.dx), SatAdd(y, layout.vGridLabel.dy),
               label);
  };
  auto horizontalAxisLine = [&](int offset, const std::string& label) {
    const int x = SatAdd(L, offset);
    dc.MoveTo(x, T);
    dc.LineTo(x, B);
    dc.TextOut(SatAdd(x, layout.hGridLabel.dx), SatAdd(B, layout.hGridLabel.dy),
               label);
  };
  auto timeGrid = [&](auto&& drawLine) {
    for (int k = 1; k <= timeRow.quotient; ++k) {
      drawLine(Trunc(k * timeRow.step * timeFactor),
               Format1f(k / timeRow.divisor));
    }
  };
  auto distanceGrid = [&](auto&& drawLine) {
    for (int i = 0; i < n; ++i) {
      drawLine(Trunc(kmFactor * computed(i).endKm), FormatG(computed(i).endKm));
    }
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
  for (int k = 1; k <= speedRow.quotient + 1; ++k) {
    const int y = SatSub(B, Trunc(k * speedRow.step * speedFactor));
    dc.MoveTo(SatAdd(L, layout.speedGridLeftInset), y);
    dc.LineTo(R, y);
    dc.TextOut(SatAdd(R, layout.speedGridLabel.dx),
               SatAdd(y, layout.speedGridLabel.dy),
               Format1f(k / speedRow.divisor));
  }

  // Where the final time would be reached at an even pace.
  dc.SelectPen(greyPen);
  dc.MoveTo(L, B);
  dc.LineTo(R, T);

  auto verticalAxisCaption = [&](std::string_view text) {
    dc.SetTextColor(kRed);
    dc.TextOut(SatAdd(L, layout.vCaption.dx), SatAdd(T, layout.vCaption.dy),
               text);
  };
  auto horizontalAxisCaption = [&](std::string_view text) {
    dc.SetTextColor(kBlack);
    dc.TextOut(SatAdd(R, layout.hCaption.dx), SatAdd(B, layout.hCaption.dy),
               text);
  };
  const std::string timeCaption = TimeCaption(timeRow);
  if (!reversed) {
    verticalAxisCaption(timeCaption);
    horizontalAxisCaption(kDistanceCaption);
  } else {
    horizontalAxisCaption(timeCaption);
    verticalAxisCaption(kDistanceCaption);
  }
  const GraphOffset speedAt =
      reversed ? layout.speedCaptionReversed : layout.speedCaption;
  dc.SetTextColor(kGreen);
  dc.TextOut(SatAdd(R, speedAt.dx),
             SatAdd(layout.speedCaptionFromTop ? T : B, speedAt.dy),
             SpeedCaption(unit, speedRow));

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
