// A drawing context over a QPainter: the window's graph area (an image),
// a printer page, a PDF, an SVG.
#pragma once

#include <QPainter>

#include "app/platform.h"

namespace qv::qt {

class QtDrawContext : public IDrawContext {
 public:
  // painter must be active for the whole life of the context.
  explicit QtDrawContext(QPainter& painter);
  ~QtDrawContext() override;

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

 private:
  QPainter& m_painter;
};

}  // namespace qv::qt
