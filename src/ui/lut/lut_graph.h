#pragma once

#include <QColor>
#include <QWidget>

#include <functional>

#include "lut/lut_edit_points.h"
#include "lut/lut_table.h"

namespace cct {

// The LUT editor's graph: the curve of a table over a 256 x 256 logical
// area, with its grid and, while the table is edited, its edit points. It
// only draws what it is given; pointer moves with exactly the left or the
// right button held come back as gestures in the graph's own coordinates.
class LutGraph : public QWidget {
  Q_OBJECT

 public:
  // A gesture: the button held and the position, 0..256 both ways.
  using Gesture = std::function<void(Qt::MouseButton button, int x, int y)>;

  explicit LutGraph(QColor curve, QWidget* parent = nullptr);

  // The table to draw; with points, they are drawn and the curve starts at
  // the first one (the table is being edited), else at (0, 256).
  void Show(const LutTable& table, const LutEditPoints* points);
  void SetGesture(Gesture gesture) { gesture_ = std::move(gesture); }

  // A widget position in graph coordinates, and back.
  QPoint ToGraph(const QPointF& position) const;
  QPointF FromGraph(const QPoint& point) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QColor curve_;
  LutTable table_{};
  LutEditPoints points_;
  bool showPoints_ = false;
  Gesture gesture_;
};

}  // namespace cct
