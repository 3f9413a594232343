// Rendering a drawing to image files, for the report tool.
#pragma once

#include <functional>
#include <string>

#include "app/platform.h"

namespace qv::qt {

using DrawFunction = std::function<void(IDrawContext&)>;

// A white width x height PNG with the drawing on it.
bool SaveDrawingPng(const std::string& path, int width, int height,
                    const DrawFunction& draw);
// The same as SVG; texts stay text elements.
bool SaveDrawingSvg(const std::string& path, int width, int height,
                    const DrawFunction& draw);

}  // namespace qv::qt
