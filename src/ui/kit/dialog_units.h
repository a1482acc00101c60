#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace cct {

// Dialog units of a font: horizontally a quarter of the font's average
// character width, vertically an eighth of its height, so a window built from
// a template keeps its proportions at any font size.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

  int X(int units) const;
  int Y(int units) const;
  // Both edges are mapped, so neighbouring rectangles stay neighbours.
  QRect Rect(int x, int y, int cx, int cy) const;
  QSize Size(int cx, int cy) const { return {X(cx), Y(cy)}; }

  int BaseX() const { return baseX_; }
  int BaseY() const { return baseY_; }

 private:
  int baseX_;
  int baseY_;
};

}  // namespace cct
