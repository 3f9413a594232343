#include "app/qt/qt_draw_context.h"

// Placeholder: draws nothing yet.
namespace qv::qt {

QtDrawContext::QtDrawContext(QPainter& painter) : m_painter(painter) {}
QtDrawContext::~QtDrawContext() = default;
void QtDrawContext::FillSolidRect(const Rect&, Rgb) {}
PenHandle QtDrawContext::CreatePen(PenStyle, int, Rgb) { return 1; }
FontHandle QtDrawContext::CreateFont(int, std::string_view) { return 1; }
PenHandle QtDrawContext::SelectPen(PenHandle) { return 0; }
FontHandle QtDrawContext::SelectFont(FontHandle) { return 0; }
void QtDrawContext::DeletePen(PenHandle) {}
void QtDrawContext::DeleteFont(FontHandle) {}
void QtDrawContext::MoveTo(int, int) {}
void QtDrawContext::LineTo(int, int) {}
void QtDrawContext::SetTextColor(Rgb) {}
void QtDrawContext::TextOut(int, int, std::string_view) {}
TextMetrics QtDrawContext::GetTextMetrics() { return {}; }

}  // namespace qv::qt
