#include "app/qt/qt_draw_context.h"

#include <QFontMetrics>
#include <QLine>
#include <QLineF>
#include <QPaintEngine>
#include <QPointF>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "app/qt/qt_fonts.h"

namespace qv::qt {

namespace {

// Coordinates beyond this never reach any real surface; lines are clipped
// to it so that Qt's rasteriser and the PDF and SVG writers only ever see
// moderate numbers, whatever degenerate data produced the coordinates.
constexpr double kLimit = 1 << 22;

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// Liang-Barsky: clips the segment to the square of half-side kLimit.
// Returns false when nothing of it lies inside.
bool ClipToLimit(double& x0, double& y0, double& x1, double& y1) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 + kLimit, kLimit - x0, y0 + kLimit, kLimit - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double nx0 = x0 + t0 * dx;
  const double ny0 = y0 + t0 * dy;
  x1 = x0 + t1 * dx;
  y1 = y0 + t1 * dy;
  x0 = nx0;
  y0 = ny0;
  return true;
}

int Clamp(int v) {
  return static_cast<int>(std::clamp(static_cast<double>(v), -kLimit, kLimit));
}

bool WithinLimit(int v) { return std::abs(static_cast<double>(v)) <= kLimit; }

}  // namespace

QtDrawContext::QtDrawContext(QPainter& painter) : m_painter(painter) {
  if (m_painter.isActive()) {
    m_painter.save();
    m_saved = true;
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBackgroundMode(Qt::TransparentMode);
  }
  m_pens[0] = PenSpec{PenStyle::Solid, 1, Rgb{0, 0, 0}};
  m_fonts[0] = m_painter.font();
}

QtDrawContext::~QtDrawContext() {
  if (m_saved && m_painter.isActive()) m_painter.restore();
}

QPen QtDrawContext::ToQPen(const PenSpec& penDesc) const {
  QPen pen(ToQColor(penDesc.color));
  // A width of 0 draws one unit wide, as a window's pens do.
  const int width = std::max(penDesc.width, 1);
  pen.setWidth(width);
  pen.setStyle(penDesc.style == PenStyle::Dot    ? Qt::DotLine
               : penDesc.style == PenStyle::Dash ? Qt::DashLine
                                                 : Qt::SolidLine);
  if (width == 1) {
    // Scaled (a printer page) or on a vector surface: the ends close the
    // corners of the frame.
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
  } else {
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

const QFont& QtDrawContext::CurrentFont() const {
  auto it = m_fonts.find(m_font);
  return it != m_fonts.end() ? it->second : m_fonts.at(0);
}

void QtDrawContext::FillSolidRect(const Rect& r, Rgb c) {
  m_background = c;
  if (!m_painter.isActive()) return;
  const int left = Clamp(std::min(r.left, r.right));
  const int right = Clamp(std::max(r.left, r.right));
  const int top = Clamp(std::min(r.top, r.bottom));
  const int bottom = Clamp(std::max(r.top, r.bottom));
  if (right == left || bottom == top) return;
  m_painter.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(c));
}

PenHandle QtDrawContext::CreatePen(PenStyle style, int width, Rgb c) {
  const PenHandle h = m_nextHandle++;
  m_pens[h] = PenSpec{style, width, c};
  return h;
}

FontHandle QtDrawContext::CreateFont(int height, std::string_view face) {
  const FontHandle h = m_nextHandle++;
  m_fonts[h] = FontByCellHeight(
      QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size())),
      height);
  return h;
}

PenHandle QtDrawContext::SelectPen(PenHandle pen) {
  const PenHandle previous = m_pen;
  if (m_pens.count(pen) != 0) m_pen = pen;
  return previous;
}

FontHandle QtDrawContext::SelectFont(FontHandle font) {
  const FontHandle previous = m_font;
  if (m_fonts.count(font) != 0) m_font = font;
  return previous;
}

// The context's own objects and the selected ones stay.
void QtDrawContext::DeletePen(PenHandle pen) {
  if (pen != 0 && pen != m_pen) m_pens.erase(pen);
}

void QtDrawContext::DeleteFont(FontHandle font) {
  if (font != 0 && font != m_font) m_fonts.erase(font);
}

void QtDrawContext::MoveTo(int x, int y) {
  m_x = x;
  m_y = y;
}

void QtDrawContext::LineTo(int x, int y) {
  const int fromX = m_x;
  const int fromY = m_y;
  m_x = x;
  m_y = y;
  if (!m_painter.isActive() || (fromX == x && fromY == y)) return;
  double x0 = fromX;
  double y0 = fromY;
  double x1 = x;
  double y1 = y;
  if (!ClipToLimit(x0, y0, x1, y1)) return;
  const QPoint p0(static_cast<int>(std::lround(x0)),
                  static_cast<int>(std::lround(y0)));
  const QPoint p1(static_cast<int>(std::lround(x1)),
                  static_cast<int>(std::lround(y1)));
  if (p0 == p1) return;
  const PenSpec& penDesc = m_pens.at(m_pen);
  m_painter.setPen(ToQPen(penDesc));
  if (!PixelExact()) {
    m_painter.drawLine(QLine(p0, p1));
  } else if (penDesc.width <= 1) {
    DrawThinLine(p0, p1, penDesc);
  } else {
    // Through the pixel centres, so that an odd width lies symmetrically
    // about the pixels of the line.
    const QPointF centre(0.5, 0.5);
    m_painter.drawLine(QLineF(QPointF(p0) + centre, QPointF(p1) + centre));
  }
}

// On a raster surface without scaling, a thin line is set pixel by pixel:
// the pixels of the line from p0 up to, not including, p1. Qt's own thin
// lines leave out an end chosen by its drawing direction, not ours.
bool QtDrawContext::PixelExact() const {
  const QPaintEngine* engine = m_painter.paintEngine();
  if (engine == nullptr || engine->type() != QPaintEngine::Raster) {
    return false;
  }
  const QPaintDevice* device = m_painter.device();
  if (device == nullptr || device->devicePixelRatioF() != 1.0) return false;
  const QTransform t = m_painter.combinedTransform();
  return t.type() <= QTransform::TxTranslate && t.dx() == std::round(t.dx()) &&
         t.dy() == std::round(t.dy());
}

void QtDrawContext::DrawThinLine(QPoint p0, QPoint p1, const PenSpec& penDesc) {
  // Only the pixels that can land on the device are kept.
  const QTransform t = m_painter.combinedTransform();
  const QPaintDevice* device = m_painter.device();
  const QRect visible =
      t.inverted().mapRect(QRect(0, 0, device->width(), device->height()));
  QPolygon points;
  const int dx = std::abs(p1.x() - p0.x());
  const int dy = -std::abs(p1.y() - p0.y());
  const int sx = p0.x() < p1.x() ? 1 : -1;
  const int sy = p0.y() < p1.y() ? 1 : -1;
  long long err = static_cast<long long>(dx) + dy;
  int px = p0.x();
  int py = p0.y();
  for (long long i = 0; px != p1.x() || py != p1.y(); ++i) {
    // A dotted pen sets one pixel in three, a dashed one six in nine.
    const bool on = penDesc.style == PenStyle::Dot    ? i % 3 == 0
                    : penDesc.style == PenStyle::Dash ? i % 9 < 6
                                                      : true;
    if (on &&
        visible.contains(px, py)) {
      points << QPoint(px, py);
    }
    const long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      px += sx;
    }
    if (e2 <= dx) {
      err += dx;
      py += sy;
    }
  }
  if (points.isEmpty()) return;
  QPen pen(ToQColor(penDesc.color), 1);
  pen.setCapStyle(Qt::SquareCap);
  m_painter.setPen(pen);
  m_painter.drawPoints(points);
}

void QtDrawContext::SetTextColor(Rgb c) { m_textColor = c; }

void QtDrawContext::TextOut(int x, int y, std::string_view text) {
  if (!m_painter.isActive() || text.empty()) return;
  if (!WithinLimit(x) || !WithinLimit(y)) return;
  const QString s =
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QFont& font = CurrentFont();
  const QFontMetrics metrics(font, m_painter.device());
  const int height = metrics.ascent() + metrics.descent();
  const int width = metrics.horizontalAdvance(s);
  // The opaque box blanks whatever lies under the text cell.
  m_painter.fillRect(QRect(x, y, width, height), ToQColor(m_background));
  m_painter.setFont(font);
  m_painter.setPen(QPen(ToQColor(m_textColor)));
  m_painter.drawText(QPoint(x, y + metrics.ascent()), s);
}

int QtDrawContext::TextWidth(std::string_view text) {
  if (!m_painter.isActive()) return 0;
  return QFontMetrics(CurrentFont(), m_painter.device())
      .horizontalAdvance(QString::fromUtf8(
          text.data(), static_cast<qsizetype>(text.size())));
}

TextMetrics QtDrawContext::GetTextMetrics() {
  const QFontMetrics metrics(CurrentFont(), m_painter.device());
  return TextMetrics{metrics.ascent() + metrics.descent(), metrics.leading()};
}

}  // namespace qv::qt
