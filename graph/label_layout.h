// Where the graph's texts go: none is cut by the plot's frame or by the
// picture's edge, and none is drawn over another. A pure function of the
// texts, their wanted places, the font height and the two rectangles, so
// that screen, paper and images leave out and move the same labels.
#pragma once

#include <string>
#include <vector>

#include "app/drawing.h"

namespace qv {

struct GraphLabel {
  // Wanted top-left corner of the text.
  int x = 0;
  int y = 0;
  std::string text;
  // Whether the text belongs between the frame's lines (else outside them).
  bool inside = true;
  // Drawn even where it meets another label (the captions, the finish).
  bool always = false;
};

struct PlacedLabel {
  bool drawn = false;
  // Top-left corner, moved clear of the frame and into the picture (where
  // it would stand when left out).
  int x = 0;
  int y = 0;
};

// An upper bound of the text's width: there is no measuring call on the
// drawing context, and a width too small would let texts overlap.
int LabelWidth(std::string_view text, int fontHeight);

// The box the text covers at (x, y): right and bottom exclusive.
Rect LabelBox(int x, int y, std::string_view text, int fontHeight);

// One result per label, in the labels' order. A label that a frame line
// would cut moves to its side of the line; one past the picture's edge
// moves in. Then the labels marked always are drawn, and the others in
// their order, each only where it meets no label drawn before it.
std::vector<PlacedLabel> PlaceLabels(const std::vector<GraphLabel>& labels,
                                     int fontHeight, const Rect& plot,
                                     const Rect& picture);

}  // namespace qv
