// A drawing context over a QPainter: the window's graph area (an image),
// a printer page, a PDF, an SVG.
//
// It draws as a window's device context does: lines without antialiasing
// in the selected pen, a line leaving out its end point; text with the
// top-left corner of its character cell at the given point, on an opaque
// box of the background colour (the colour of the last FillSolidRect, white
// at first). Coordinates are the painter's logical ones, so a transform set
// on the painter (a printer's resolution) applies to everything.
#pragma once

#include <QFont>
#include <QPainter>
#include <map>

#include "app/platform.h"

namespace qv::qt {

class QtDrawContext : public IDrawContext {
 public:
  // painter must be active for the whole life of the context. Its state is
  // saved here and restored when the context goes.
  explicit QtDrawContext(QPainter& painter);
  ~QtDrawContext() override;
  QtDrawContext(const QtDrawContext&) = delete;
  QtDrawContext& operator=(const QtDrawContext&) = delete;

  void FillSolidRect(const Rect& r, Rgb c) override;
  PenHandle CreatePen(PenStyle style, int width, Rgb c) override;
  FontHandle CreateFont(int height, std::string_view face) override;
  PenHandle SelectPen(PenHandle pen) override;
  FontHandle SelectFont(FontHandle font) override;
  void DeletePen(PenHandle pen) override;
  void DeleteFont(FontHandle font) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void SetTextColor(Rgb c) override;
  void TextOut(int x, int y, std::string_view text) override;
  TextMetrics GetTextMetrics() override;
  int TextWidth(std::string_view text) override;

 private:
  struct PenSpec {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Rgb color;
  };

  QPen ToQPen(const PenSpec& penDesc) const;
  bool PixelExact() const;
  void DrawThinLine(QPoint p0, QPoint p1, const PenSpec& penDesc);
  const QFont& CurrentFont() const;

  QPainter& m_painter;
  bool m_saved = false;
  // Handle 0 is the context's own pen (black, 1, solid) and font (the
  // painter's font when the context was made).
  std::map<PenHandle, PenSpec> m_pens;
  std::map<FontHandle, QFont> m_fonts;
  int m_nextHandle = 1;
  PenHandle m_pen = 0;
  FontHandle m_font = 0;
  Rgb m_textColor{0, 0, 0};
  Rgb m_background{255, 255, 255};
  int m_x = 0;
  int m_y = 0;
};

}  // namespace qv::qt
