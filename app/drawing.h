// The drawing types: colours, rectangles and the device context the graph
// and the printout draw on. Apart from the rest of the platform layer, so
// that what only draws (the graph's layout) needs nothing else.
#pragma once

#include <cstdint>
#include <string_view>

namespace qv {

// A colour as the drawing calls take it.
struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// left/top inclusive, right/bottom exclusive, y grows downward.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// ---------------------------------------------------------------- drawing

enum class PenStyle { Solid, Dot, Dash };

// Handles of pens and fonts created in a context. 0 is the context's own
// (stock) object, selected in a fresh context.
using PenHandle = int;
using FontHandle = int;

struct TextMetrics {
  int height = 0;            // cell height incl. internal leading
  int externalLeading = 0;
};

// A device context: a window's client area or a printer page. A fresh
// context draws black text on an opaque white box with a black 1-px pen.
class IDrawContext {
 public:
  virtual ~IDrawContext() = default;
  // Fills the rectangle; the background colour of later text becomes c.
  virtual void FillSolidRect(const Rect& r, Rgb c) = 0;
  virtual PenHandle CreatePen(PenStyle style, int width, Rgb c) = 0;
  // height: character cell height in device units.
  virtual FontHandle CreateFont(int height, std::string_view face) = 0;
  // Returns the handle that was selected before.
  virtual PenHandle SelectPen(PenHandle pen) = 0;
  virtual FontHandle SelectFont(FontHandle font) = 0;
  virtual void DeletePen(PenHandle pen) = 0;
  virtual void DeleteFont(FontHandle font) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void SetTextColor(Rgb c) = 0;
  // Top-left corner of the text at (x, y), on an opaque background box.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual TextMetrics GetTextMetrics() = 0;
  // The width TextOut gives the text in the selected font: where a text
  // after it on the line can start. 0 from a context that measures nothing.
  virtual int TextWidth(std::string_view text) = 0;
};

}  // namespace qv
