#include "app/headless/visible_drawing.h"

#include <cstddef>

namespace qv::headless {

namespace {

bool Covers(const Rect& r, const Rect& area) {
  return r.left <= area.left && r.top <= area.top && r.right >= area.right &&
         r.bottom >= area.bottom;
}

}  // namespace

std::vector<DrawOp> VisibleDrawing(const std::vector<DrawOp>& ops,
                                   const Rect& area) {
  // A context starts at the beginning or after a Release; its pens and
  // fonts are its own, so the cut is always at such a start.
  std::size_t from = 0;
  bool contextStart = true;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    const DrawOp& op = ops[i];
    if (contextStart && op.kind == DrawOp::Kind::FillSolidRect &&
        Covers(op.rect, area))
      from = i;
    contextStart = op.kind == DrawOp::Kind::Release;
  }
  return std::vector<DrawOp>(ops.begin() + static_cast<std::ptrdiff_t>(from),
                             ops.end());
}

}  // namespace qv::headless
