#include "ui/kit/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "res/templates/resource_ids.h"

namespace cct {

namespace {

// Mid-tone colours with a dark rim, so both pictures stand out on light and
// on dark window backgrounds; offline is also hatched, so the two differ
// without colour too.
struct StatusColours {
  QColor light;
  QColor dark;
  QColor rim;
};
const StatusColours kOffline{QColor(0xd9, 0x4b, 0x3d), QColor(0xa8, 0x2c, 0x22),
                             QColor(0x5c, 0x16, 0x10)};
const StatusColours kOnline{QColor(0x4c, 0xc7, 0x5f), QColor(0x22, 0x8f, 0x3a),
                            QColor(0x0f, 0x4d, 0x1d)};

void PaintBar(QPainter& painter, const QRectF& area, const StatusColours& colours, bool hatched) {
  const qreal radius = qMin(area.height() / 2.0, 3.0);
  QPainterPath shape;
  shape.addRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

  QLinearGradient fill(area.topLeft(), area.bottomLeft());
  fill.setColorAt(0.0, colours.light);
  fill.setColorAt(1.0, colours.dark);
  painter.fillPath(shape, fill);

  if (hatched) {
    painter.save();
    painter.setClipPath(shape);
    QPen stripe(colours.dark.darker(130), qMax<qreal>(1.5, area.height() / 3.0));
    painter.setPen(stripe);
    const qreal step = qMax<qreal>(6.0, area.height() * 1.6);
    for (qreal x = area.left() - area.height(); x < area.right(); x += step) {
      painter.drawLine(QPointF(x, area.bottom()), QPointF(x + area.height(), area.top()));
    }
    painter.restore();
  }
  painter.setPen(QPen(colours.rim, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(shape);
}

void PaintLamp(QPainter& painter, const QRectF& area, const StatusColours& colours, bool hatched) {
  const qreal side = qMin(area.width(), area.height()) - 1.0;
  const QRectF disc(area.center().x() - side / 2, area.center().y() - side / 2, side, side);

  QRadialGradient fill(disc.center() - QPointF(side / 6, side / 6), side * 0.7);
  fill.setColorAt(0.0, colours.light.lighter(125));
  fill.setColorAt(0.6, colours.light);
  fill.setColorAt(1.0, colours.dark);
  painter.setPen(QPen(colours.rim, qMax<qreal>(1.0, side / 16)));
  painter.setBrush(fill);
  painter.drawEllipse(disc);

  if (hatched) {
    // A bar across the lamp: off.
    painter.setPen(QPen(colours.rim, qMax<qreal>(1.5, side / 8), Qt::SolidLine, Qt::RoundCap));
    const qreal inset = side * 0.28;
    painter.drawLine(QPointF(disc.left() + inset, disc.center().y()),
                     QPointF(disc.right() - inset, disc.center().y()));
  }
}

void PaintStatus(QPainter& painter, const QRect& rect, bool online) {
  const StatusColours& colours = online ? kOnline : kOffline;
  const QRectF area(rect);
  if (area.width() > area.height() * 3) {
    PaintBar(painter, area, colours, !online);
  } else {
    PaintLamp(painter, area, colours, !online);
  }
}

// A line-scan camera seen from the front: a dark body, a lens, and the one
// line the sensor sees.
void PaintAppIcon(QPainter& painter, const QRect& rect) {
  const qreal side = qMin(rect.width(), rect.height());
  const QRectF box(rect.center().x() - side / 2 + 0.5, rect.center().y() - side / 2 + 0.5, side - 1,
                   side - 1);
  const QRectF body = box.adjusted(side * 0.04, side * 0.14, -side * 0.04, -side * 0.14);

  QLinearGradient metal(body.topLeft(), body.bottomLeft());
  metal.setColorAt(0.0, QColor(0x5a, 0x63, 0x70));
  metal.setColorAt(1.0, QColor(0x2b, 0x31, 0x3a));
  painter.setPen(QPen(QColor(0x16, 0x1a, 0x20), qMax<qreal>(1.0, side / 32)));
  painter.setBrush(metal);
  painter.drawRoundedRect(body, side * 0.1, side * 0.1);

  const qreal lensSide = body.height() * 0.82;
  const QRectF lens(body.center().x() - lensSide / 2, body.center().y() - lensSide / 2, lensSide,
                    lensSide);
  QRadialGradient glass(lens.center() - QPointF(lensSide / 5, lensSide / 5), lensSide * 0.6);
  glass.setColorAt(0.0, QColor(0x8f, 0xc8, 0xf2));
  glass.setColorAt(0.5, QColor(0x2a, 0x6f, 0xb0));
  glass.setColorAt(1.0, QColor(0x0c, 0x24, 0x40));
  painter.setPen(QPen(QColor(0xc9, 0xcf, 0xd6), qMax<qreal>(1.0, side / 20)));
  painter.setBrush(glass);
  painter.drawEllipse(lens);

  // The scan line across the lens.
  painter.setPen(
      QPen(QColor(0xff, 0xb0, 0x20), qMax<qreal>(1.0, side / 14), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(body.left() + side * 0.08, body.center().y()),
                   QPointF(body.right() - side * 0.08, body.center().y()));
}

// The square a file picture is drawn in, centred in the control.
QRectF FileIconBox(const QRect& rect) {
  const qreal side = qMin(rect.width(), rect.height()) - 1.0;
  return QRectF(rect.center().x() - side / 2 + 0.5, rect.center().y() - side / 2 + 0.5, side, side);
}

// A floppy disk: blue body, metal shutter, white label. Saving.
void PaintDisk(QPainter& painter, const QRect& rect) {
  const QRectF box = FileIconBox(rect);
  const qreal s = box.width();
  const qreal pen = qMax<qreal>(1.0, s / 24);
  QPainterPath body;
  body.moveTo(box.left(), box.top());
  body.lineTo(box.right() - s * 0.18, box.top());
  body.lineTo(box.right(), box.top() + s * 0.18);
  body.lineTo(box.right(), box.bottom());
  body.lineTo(box.left(), box.bottom());
  body.closeSubpath();
  QLinearGradient blue(box.topLeft(), box.bottomRight());
  blue.setColorAt(0.0, QColor(0x4a, 0x7d, 0xc4));
  blue.setColorAt(1.0, QColor(0x22, 0x4a, 0x86));
  painter.setPen(QPen(QColor(0x14, 0x2a, 0x4d), pen));
  painter.setBrush(blue);
  painter.drawPath(body);
  // The shutter at the top, with its window.
  const QRectF shutter(box.left() + s * 0.22, box.top() + pen, s * 0.5, s * 0.32);
  painter.setPen(QPen(QColor(0x5c, 0x63, 0x6b), pen / 2));
  painter.setBrush(QColor(0xc8, 0xcd, 0xd3));
  painter.drawRect(shutter);
  painter.setBrush(QColor(0x3a, 0x40, 0x48));
  painter.drawRect(QRectF(shutter.left() + shutter.width() * 0.62, shutter.top() + s * 0.05,
                          shutter.width() * 0.22, shutter.height() - s * 0.1));
  // The label at the bottom.
  painter.setPen(QPen(QColor(0x9a, 0xa3, 0xad), pen / 2));
  painter.setBrush(QColor(0xf4, 0xf4, 0xf0));
  painter.drawRect(QRectF(box.left() + s * 0.14, box.top() + s * 0.5, s * 0.72, s * 0.42));
}

// A manila folder with its tab. Opening.
void PaintFolder(QPainter& painter, const QRect& rect) {
  const QRectF box = FileIconBox(rect);
  const qreal s = box.width();
  const qreal pen = qMax<qreal>(1.0, s / 24);
  const QColor rim(0x7a, 0x55, 0x12);
  QPainterPath back;
  back.moveTo(box.left(), box.top() + s * 0.14);
  back.lineTo(box.left() + s * 0.36, box.top() + s * 0.14);
  back.lineTo(box.left() + s * 0.44, box.top() + s * 0.24);
  back.lineTo(box.right(), box.top() + s * 0.24);
  back.lineTo(box.right(), box.bottom() - s * 0.08);
  back.lineTo(box.left(), box.bottom() - s * 0.08);
  back.closeSubpath();
  painter.setPen(QPen(rim, pen));
  painter.setBrush(QColor(0xd9, 0xa5, 0x3a));
  painter.drawPath(back);
  // The front flap, tilted open.
  QPainterPath front;
  front.moveTo(box.left() + s * 0.1, box.top() + s * 0.4);
  front.lineTo(box.right(), box.top() + s * 0.4);
  front.lineTo(box.right() - s * 0.08, box.bottom() - s * 0.08);
  front.lineTo(box.left(), box.bottom() - s * 0.08);
  front.closeSubpath();
  QLinearGradient yellow(box.topLeft(), box.bottomLeft());
  yellow.setColorAt(0.0, QColor(0xf7, 0xd0, 0x6a));
  yellow.setColorAt(1.0, QColor(0xe3, 0xaf, 0x3e));
  painter.setBrush(yellow);
  painter.drawPath(front);
}

}  // namespace

bool PaintPicture(QPainter& painter, const QRect& rect, int resourceId) {
  if (resourceId != kIdbOffline && resourceId != kIdbOnline && resourceId != kIdiMain &&
      resourceId != kIdbDisk && resourceId != kIdbFolder) {
    return false;
  }
  if (rect.isEmpty()) return true;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  if (resourceId == kIdiMain) {
    PaintAppIcon(painter, rect);
  } else if (resourceId == kIdbDisk) {
    PaintDisk(painter, rect);
  } else if (resourceId == kIdbFolder) {
    PaintFolder(painter, rect);
  } else {
    PaintStatus(painter, rect, resourceId == kIdbOnline);
  }
  painter.restore();
  return true;
}

QPixmap PicturePixmap(int resourceId, const QSize& size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  if (!PaintPicture(painter, pixmap.rect(), resourceId)) return QPixmap();
  return pixmap;
}

QIcon AppIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128}) icon.addPixmap(PicturePixmap(kIdiMain, {side, side}));
  return icon;
}

}  // namespace cct
