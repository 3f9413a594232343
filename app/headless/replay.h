// Plays a recorded drawing back onto another context, so a picture drawn
// without a window can be rendered to an image, SVG or PDF afterwards.
#pragma once

#include <vector>

#include "app/headless/headless_platform.h"

namespace qv::headless {

// Replays ops in order; pens and fonts get the target's own handles.
void Replay(const std::vector<DrawOp>& ops, IDrawContext& target);

}  // namespace qv::headless
