#include "ui/icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace molvane {

namespace {

// A disc lit from the upper left: `light` at its highlight, `dark` at its rim.
void DrawBody(QPainter& p, QPointF centre, double radius, const QColor& light, const QColor& dark) {
  QRadialGradient g(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
  g.setColorAt(0, light);
  g.setColorAt(1, dark);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(centre, radius, radius);
}

}  // namespace

// Drawn on a grid of 64 units, scaled to the size asked for.
QImage MolvaneIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);

  // The tile: night blue, lighter towards the sun.
  QRadialGradient sky(QPointF(28, 34), 44);
  sky.setColorAt(0, QColor(0x1c, 0x2f, 0x5e));
  sky.setColorAt(1, QColor(0x07, 0x0d, 0x22));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 11, 11);

  // A few stars.
  p.setBrush(QColor(0xd8, 0xe4, 0xff));
  for (const QPointF star : {QPointF(12, 12), QPointF(50, 9), QPointF(55, 46), QPointF(9, 50), QPointF(38, 55)})
    p.drawEllipse(star, 0.9, 0.9);

  // The orbit: an ellipse tilted about the sun, its near side brighter.
  p.save();
  p.translate(30, 34);
  p.rotate(-24);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0x7f, 0xb2, 0xff, 150), 1.6));
  p.drawEllipse(QPointF(2, 0), 27, 11);
  p.restore();

  // The sun, with a soft glow.
  QRadialGradient glow(QPointF(30, 34), 16);
  glow.setColorAt(0, QColor(255, 210, 90, 150));
  glow.setColorAt(1, QColor(255, 160, 40, 0));
  p.setBrush(glow);
  p.drawEllipse(QPointF(30, 34), 16, 16);
  DrawBody(p, QPointF(30, 34), 8, QColor(0xff, 0xf6, 0xb0), QColor(0xf5, 0x9a, 0x1c));

  // The planet on the orbit's upper right, its moon beside it.
  DrawBody(p, QPointF(52, 20.5), 5, QColor(0x9c, 0xd8, 0xff), QColor(0x1f, 0x5f, 0xc4));
  DrawBody(p, QPointF(45.5, 14), 1.8, QColor(0xf0, 0xf0, 0xf0), QColor(0x90, 0x90, 0x98));
  return image;
}

QIcon MolvaneIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(MolvaneIconImage(size)));
  return icon;
}

QIcon FrameIcon(const QIcon& icon) {
  QIcon small;
  for (int size : {16, 24, 32, 48}) small.addPixmap(icon.pixmap(size));
  return small;
}

}  // namespace molvane
