// Where the section graph puts its lines and texts, and with what font and
// pens: one value for the dialog's graph area, one for the printed page. The
// drawing itself is the same for both.
//
// Positions go with the axis, not with the quantity: the vertical-axis grid
// is the time grid in the normal orientation and the distance grid in the
// reversed one, and the other way round for the horizontal-axis grid.
#pragma once

#include "app/drawing.h"
#include "race/race_math.h"

namespace qv {

// A text's top-left corner, relative to the reference point its member
// names.
struct GraphOffset {
  int dx = 0;
  int dy = 0;
};

struct GraphLayout {
  // Label font: cell height in device units.
  int fontHeight = 10;
  // Grey and pale red pens (grids and diagonal), pale green (speed grid).
  int gridPenWidth = 1;
  PenStyle speedGridStyle = PenStyle::Solid;
  // Red and green pens of the time and speed curves.
  int curvePenWidth = 2;

  // Vertical-axis grid: line from (L, y) to (R - vGridRightInset, y);
  // label at (L, y) + vGridLabel.
  int vGridRightInset = 5;
  GraphOffset vGridLabel{4, -4};
  // Horizontal-axis grid: line from (x, T) to (x, B); label at
  // (x, B) + hGridLabel.
  GraphOffset hGridLabel{-4, -12};
  // Speed grid: line from (L + speedGridLeftInset, y) to (R, y); label at
  // (R, y) + speedGridLabel.
  int speedGridLeftInset = 10;
  GraphOffset speedGridLabel{-25, -4};

  // Caption of the vertical-axis quantity, from (L, T).
  GraphOffset vCaption{20, 20};
  // Caption of the horizontal-axis quantity, from (R, B).
  GraphOffset hCaption{-160, -30};
  // Speed caption, from (R, T) when speedCaptionFromTop, else from (R, B).
  bool speedCaptionFromTop = false;
  GraphOffset speedCaption{-80, -50};
  GraphOffset speedCaptionReversed{-80, -50};

  // The largest speed value stands at this fraction of the plot height.
  double speedMaxFraction = 0.8;
};

// The dialog's graph area.
inline constexpr GraphLayout kScreenGraphLayout{};
inline constexpr int kScreenPlotInset = 5;

// The printed page: a larger font, wide curves, a dotted speed grid and the
// labels and captions moved out of the plot rectangle.
inline constexpr GraphLayout kPrintedGraphLayout{
    .fontHeight = 30,
    .gridPenWidth = 1,
    .speedGridStyle = PenStyle::Dot,
    .curvePenWidth = 5,
    .vGridRightInset = 0,
    .vGridLabel = {-100, -15},
    .hGridLabel = {-15, 15},
    .speedGridLeftInset = 10,
    .speedGridLabel = {10, -15},
    .vCaption = {10, 10},
    .hCaption = {-100, 70},
    .speedCaptionFromTop = true,
    .speedCaption = {10, 50},
    .speedCaptionReversed = {10, 0},
    .speedMaxFraction = 0.8,
};

// The plot rectangle inside the graph area's client rectangle.
inline Rect ScreenPlotRect(const Rect& client) {
  return Rect{SatAdd(client.left, kScreenPlotInset),
              SatAdd(client.top, kScreenPlotInset),
              SatSub(client.right, kScreenPlotInset),
              SatSub(client.bottom, kScreenPlotInset)};
}

// The printed plot rectangle: centred on halfWidth, as high as halfWidth,
// its top at top. For an odd halfWidth it is one unit narrower than high.
inline Rect PrintedPlotRect(int halfWidth, int top) {
  const int half = halfWidth / 2;
  return Rect{SatSub(halfWidth, half), top, SatAdd(halfWidth, half),
              SatAdd(top, halfWidth)};
}

// What the printed graph may cover: the page's width, from the page's top
// to below the horizontal axis's caption.
inline constexpr int kPrintedCaptionDepth =
    kPrintedGraphLayout.hCaption.dy + kPrintedGraphLayout.fontHeight;
inline Rect PrintedPictureRect(int halfWidth, int top) {
  return Rect{0, 0, SatAdd(halfWidth, halfWidth),
              SatAdd(SatAdd(top, halfWidth), kPrintedCaptionDepth)};
}

}  // namespace qv
