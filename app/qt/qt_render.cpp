#include "app/qt/qt_render.h"

#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "app/qt/qt_draw_context.h"

namespace qv::qt {

namespace {

QString ToQString(const std::string& s) { return QString::fromUtf8(s); }

}  // namespace

bool SaveDrawingPng(const std::string& path, int width, int height,
                    const DrawFunction& draw) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    QtDrawContext dc(painter);
    draw(dc);
  }
  return image.save(ToQString(path), "PNG");
}

bool SaveDrawingSvg(const std::string& path, int width, int height,
                    const DrawFunction& draw) {
  QSvgGenerator generator;
  generator.setFileName(ToQString(path));
  generator.setSize(QSize(width, height));
  generator.setViewBox(QRect(0, 0, width, height));
  generator.setTitle(QStringLiteral("Quorvane"));
  QPainter painter;
  if (!painter.begin(&generator)) return false;
  painter.fillRect(QRect(0, 0, width, height), Qt::white);
  {
    QtDrawContext dc(painter);
    draw(dc);
  }
  return painter.end();
}

}  // namespace qv::qt
