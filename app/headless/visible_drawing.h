// The part of a recorded drawing that still shows: everything from the
// last context that began by filling the whole area. Both the window's
// graph export and quorvane-report replay only this, so they give the same
// picture and the same SVG, and the window's record stays small.
#pragma once

#include <vector>

#include "app/headless/headless_platform.h"

namespace qv::headless {

std::vector<DrawOp> VisibleDrawing(const std::vector<DrawOp>& ops,
                                   const Rect& area);

}  // namespace qv::headless
