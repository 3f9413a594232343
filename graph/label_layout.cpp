#include "graph/label_layout.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>

namespace qv {

namespace {

// In 64 bits: saturated anchors plus a width must not overflow.
struct Box {
  long long left, top, right, bottom;
};

bool Meet(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom &&
         b.top < a.bottom;
}

// The shift that brings [lo, hi) into [min, max), its start first when it
// is the longer.
long long IntoRange(long long lo, long long hi, long long min, long long max) {
  if (lo < min || hi - lo > max - min) return min - lo;
  if (hi > max) return max - hi;
  return 0;
}

void Shift(Box& b, long long dx, long long dy) {
  b.left += dx;
  b.right += dx;
  b.top += dy;
  b.bottom += dy;
}

void MoveInto(Box& b, const Box& area) {
  Shift(b, IntoRange(b.left, b.right, area.left, area.right),
        IntoRange(b.top, b.bottom, area.top, area.bottom));
}

// Off the frame on the side that asks the shortest move.
void MoveOff(Box& b, const Box& frame) {
  const long long moves[4][2] = {{frame.left - b.right, 0},
                                 {frame.right - b.left, 0},
                                 {0, frame.top - b.bottom},
                                 {0, frame.bottom - b.top}};
  const auto* best = std::ranges::min_element(moves, {}, [](const auto& m) {
    return std::llabs(m[0]) + std::llabs(m[1]);
  });
  Shift(b, (*best)[0], (*best)[1]);
}

int ToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

int LabelWidth(std::string_view text, int fontHeight) {
  // In twentieths of the font height: a wide (non-ASCII) character a full
  // height, points, colons and spaces 6, brackets and slashes 7, any other
  // ASCII character 11. Digits and Latin letters stay under 11 in the
  // proportional fonts used.
  long long units = 0;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0xC0) {
      units += 20;
    } else if (b >= 0x80) {
      // A continuation byte: counted with its lead byte.
    } else if (c == '.' || c == ',' || c == ':' || c == ' ') {
      units += 6;
    } else if (c == '(' || c == ')' || c == '/') {
      units += 7;
    } else {
      units += 11;
    }
  }
  const long long h = std::max(fontHeight, 0);
  return ToInt((units * h + 19) / 20);
}

Rect LabelBox(int x, int y, std::string_view text, int fontHeight) {
  const long long right = static_cast<long long>(x) + LabelWidth(text, fontHeight);
  const long long bottom = static_cast<long long>(y) + std::max(fontHeight, 0);
  return Rect{x, y, ToInt(right), ToInt(bottom)};
}

std::vector<PlacedLabel> PlaceLabels(const std::vector<GraphLabel>& labels,
                                     int fontHeight, const Rect& plot,
                                     const Rect& picture) {
  // The frame's lines are drawn on left, right, top and bottom; a text
  // between them stays clear of all four.
  const Box frame{plot.left, plot.top, static_cast<long long>(plot.right) + 1,
                  static_cast<long long>(plot.bottom) + 1};
  const Box between{static_cast<long long>(plot.left) + 1,
                    static_cast<long long>(plot.top) + 1, plot.right,
                    plot.bottom};
  const Box page{picture.left, picture.top, picture.right, picture.bottom};

  std::vector<Box> boxes;
  boxes.reserve(labels.size());
  for (const GraphLabel& l : labels) {
    Box b{l.x, l.y,
          static_cast<long long>(l.x) + LabelWidth(l.text, fontHeight),
          static_cast<long long>(l.y) + std::max(fontHeight, 0)};
    if (l.inside) {
      MoveInto(b, between);
    } else if (Meet(b, frame)) {
      MoveOff(b, frame);
    }
    MoveInto(b, page);
    boxes.push_back(b);
  }

  std::vector<PlacedLabel> placed(labels.size());
  std::vector<Box> drawn;
  // Labels that merely touch read as one ("0.20.61.2"): a third of the
  // font height stays between two along a line.
  const long long gap = std::max(fontHeight, 0) / 3;
  auto place = [&](std::size_t i) {
    const Box& b = boxes[i];
    placed[i] = PlacedLabel{true, ToInt(b.left), ToInt(b.top)};
    const Box spaced{b.left - gap, b.top, b.right + gap, b.bottom};
    if (!labels[i].always &&
        std::ranges::any_of(drawn,
                            [&](const Box& d) { return Meet(spaced, d); })) {
      placed[i].drawn = false;
      return;
    }
    drawn.push_back(b);
  };
  for (std::size_t i = 0; i < labels.size(); ++i)
    if (labels[i].always) place(i);
  for (std::size_t i = 0; i < labels.size(); ++i)
    if (!labels[i].always) place(i);
  return placed;
}

}  // namespace qv
