// Pictures and printed pages without a display, for a program that is itself
// free of Qt: this header names no Qt type. The Qt layer builds it into a
// module (app/qt/offscreen/) that such a program loads when it first needs a
// picture, so a run that needs none never starts Qt.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/platform.h"

namespace qv::offscreen {

enum class ImageFormat { Png, Svg };

// The picture a file name asks for by its ending, in any case; none for
// any other name. The window's export and quorvane-report decide alike.
inline std::optional<ImageFormat> ImageFormatOfName(std::string_view name) {
  const auto endsWith = [name](std::string_view suffix) {
    if (name.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
      char c = name[name.size() - suffix.size() + i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != suffix[i]) return false;
    }
    return true;
  };
  if (endsWith(".png")) return ImageFormat::Png;
  if (endsWith(".svg")) return ImageFormat::Svg;
  return std::nullopt;
}

using DrawFunction = std::function<void(IDrawContext&)>;

// Every member may be called from several threads at once; each call works
// on its own image, SVG or PDF in memory. Nothing here touches a file.
class Renderer {
 public:
  virtual ~Renderer() = default;
  // The graph area's client rectangle in the dialog on screen.
  virtual Rect ScreenGraphArea() = 0;
  // The drawing on a white width x height picture, encoded into bytes.
  virtual bool RenderImage(ImageFormat format, int width, int height,
                           const DrawFunction& draw, std::string& bytes) = 0;
  // A print job laying its page out on A4; when EndDoc succeeds, bytes
  // becomes the PDF document. bytes must outlive the job.
  virtual std::unique_ptr<IPrintJob> NewPdfJob(std::string& bytes) = 0;
};

// The module's entry point: makes the renderer (and Qt's application object)
// on the calling thread, which must be the program's main thread. Qt's own
// platform choice from the environment is ignored: no display is needed.
inline constexpr const char* kModuleEntry = "QuorvaneOffscreenRenderer";
using ModuleEntry = Renderer* (*)();
inline constexpr const char* kModuleFile = "quorvane-offscreen.so";

}  // namespace qv::offscreen
