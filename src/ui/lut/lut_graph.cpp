#include "ui/lut/lut_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "lut/lut_curve.h"

namespace cct {

namespace {

// Grid and edit points.
const QColor kGridColour(0x64, 0x32, 0x64);
constexpr int kGridDivisions = 10;
constexpr int kPointRadius = 4;

}  // namespace

LutGraph::LutGraph(QColor curve, QWidget* parent) : QWidget(parent), curve_(curve) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);  // moves count only while a button is held
}

void LutGraph::Show(const LutTable& table, const LutEditPoints* points) {
  table_ = table;
  showPoints_ = points != nullptr;
  if (points) points_ = *points;
  update();
}

QPoint LutGraph::ToGraph(const QPointF& position) const {
  return QPoint(static_cast<int>(std::floor(position.x() * kGraphSize / width())),
                static_cast<int>(std::floor(position.y() * kGraphSize / height())));
}

QPointF LutGraph::FromGraph(const QPoint& point) const {
  return QPointF((point.x() + 0.5) * width() / kGraphSize,
                 (point.y() + 0.5) * height() / kGraphSize);
}

void LutGraph::mouseMoveEvent(QMouseEvent* event) {
  // Exactly one button and no key held; anything else is no gesture.
  const Qt::MouseButtons buttons = event->buttons();
  if (event->modifiers() != Qt::NoModifier || !gesture_) return;
  if (buttons != Qt::LeftButton && buttons != Qt::RightButton) return;
  const QPoint point = ToGraph(event->position());
  gesture_(buttons == Qt::LeftButton ? Qt::LeftButton : Qt::RightButton, point.x(), point.y());
}

void LutGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  painter.setRenderHint(QPainter::Antialiasing);
  // Logical coordinates 0..256 both ways over the whole widget.
  painter.scale(static_cast<double>(width()) / kGraphSize,
                static_cast<double>(height()) / kGraphSize);

  QPen grid(kGridColour, 1);
  grid.setCosmetic(true);
  painter.setPen(grid);
  const int step = kGraphSize / kGridDivisions;
  for (int x = 0; x < kGraphSize; x += step) painter.drawLine(x, 0, x, kGraphSize);
  for (int y = kGraphSize - 1; y >= 0; y -= step) painter.drawLine(0, y, kGraphSize, y);

  QPointF from(0, kGraphSize);
  if (showPoints_) {
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < points_.Count(); ++i) {
      const EditPoint& p = points_.Point(i);
      painter.drawEllipse(
          QRectF(p.x - kPointRadius, p.y - kPointRadius, 2 * kPointRadius, 2 * kPointRadius));
    }
    from = QPointF(points_.Point(0).x, points_.Point(0).y);
  }

  // The curve: each entry's input level against its output level, entries
  // outside the graph left out, the next drawn one joined to the last.
  QPen pen(curve_, 2);
  pen.setCosmetic(true);
  painter.setPen(pen);
  QPainterPath path(from);
  const LutTable& inputs = LutInputLevels();
  for (int k = 0; k < kLutEntries; ++k) {
    const int x = static_cast<int>(inputs[k] >> 4);
    const int y = kGraphSize - static_cast<int>(table_[k] >> 4) - ((table_[k] & 0xF) >= 8 ? 1 : 0);
    if (y >= 0 && y <= kGraphSize && x >= 0 && x <= kGraphSize) path.lineTo(x, y);
  }
  painter.drawPath(path);
}

}  // namespace cct
