// Rendering a drawing into an encoded picture in memory, for the report
// tool; safe on any thread once a QGuiApplication exists.
#pragma once

#include <string>

#include "app/offscreen_renderer.h"

namespace qv::qt {

// A white width x height PNG or SVG with the drawing on it; in an SVG texts
// stay text elements.
bool RenderDrawing(offscreen::ImageFormat format, int width, int height,
                   const offscreen::DrawFunction& draw, std::string& bytes);

}  // namespace qv::qt
