#include "app/qt/qt_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace qv::qt {

namespace {

// The picture is laid out on a 32 x 32 grid and scaled.
constexpr qreal kGrid = 32.0;

// Below 24 pixels the fine lines blur into mud: the lane line, the lap
// button and the minor ticks are left out and the hand is bolder.
bool Small(int size) { return size < 24; }

void DrawTrack(QPainter& p, int size) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xc8, 0x55, 0x3d));  // tartan
  p.drawRoundedRect(QRectF(1.0, 19.0, 30.0, 12.0), 6.0, 6.0);
  p.setBrush(QColor(0x3f, 0x9b, 0x4a));  // infield
  p.drawRoundedRect(QRectF(7.0, 23.0, 18.0, 4.0), 2.0, 2.0);
  if (Small(size)) return;
  QPen lane(QColor(0xff, 0xff, 0xff));
  lane.setWidthF(0.8);
  p.setPen(lane);
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(3.8, 21.0, 24.4, 8.0), 4.0, 4.0);
}

void DrawStopwatch(QPainter& p, int size) {
  const QPointF centre(16.0, 13.5);
  const QColor rim(0x38, 0x42, 0x4f);

  // Crown and the lap button.
  p.setPen(Qt::NoPen);
  p.setBrush(rim);
  p.drawRect(QRectF(13.5, 0.8, 5.0, 2.4));
  p.drawRect(QRectF(15.0, 2.8, 2.0, 1.8));
  if (!Small(size)) {
    p.save();
    p.translate(centre);
    p.rotate(45.0);
    p.drawRect(QRectF(-1.2, -12.6, 2.4, 2.6));
    p.restore();
  }

  // Case and face.
  p.setBrush(rim);
  p.drawEllipse(centre, 10.0, 10.0);
  p.setBrush(QColor(0xf4, 0xf6, 0xf8));
  p.drawEllipse(centre, 8.2, 8.2);

  // Ticks: the quarters always, the others where there is room.
  QPen tick(rim);
  tick.setCapStyle(Qt::FlatCap);
  for (int k = 0; k < 12; ++k) {
    const bool quarter = k % 3 == 0;
    if (!quarter && size < 32) continue;
    tick.setWidthF(quarter ? 1.2 : 0.6);
    p.setPen(tick);
    const qreal a = qDegreesToRadians(k * 30.0);
    const qreal outer = 7.4;
    const qreal inner = quarter ? 5.6 : 6.4;
    p.drawLine(centre + QPointF(qSin(a) * inner, -qCos(a) * inner),
               centre + QPointF(qSin(a) * outer, -qCos(a) * outer));
  }

  // The running hand, at about ten seconds past.
  QPen hand(QColor(0xd0, 0x1f, 0x2a));
  hand.setWidthF(Small(size) ? 2.4 : size < 32 ? 1.6 : 1.3);
  hand.setCapStyle(Qt::RoundCap);
  p.setPen(hand);
  const qreal a = qDegreesToRadians(60.0);
  p.drawLine(centre, centre + QPointF(qSin(a) * 6.6, -qCos(a) * 6.6));
  p.setPen(Qt::NoPen);
  p.setBrush(rim);
  p.drawEllipse(centre, 1.3, 1.3);
}

}  // namespace

QImage RenderAppIcon(int size) {
  if (size < 1) size = 1;
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(size / kGrid, size / kGrid);
  DrawTrack(p, size);
  DrawStopwatch(p, size);
  p.end();
  return image;
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) {
    icon.addPixmap(QPixmap::fromImage(RenderAppIcon(size)));
  }
  return icon;
}

}  // namespace qv::qt
