#include "ui/kit/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace cct {

namespace {

// a * b / c rounded to the nearest integer.
int MulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width of the 52 Latin letters, rounded.
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  baseX_ = qMax(1, (letters / 26 + 1) / 2);
  baseY_ = qMax(1, metrics.height());
}

int DialogUnits::X(int units) const {
  return MulDiv(units, baseX_, 4);
}

int DialogUnits::Y(int units) const {
  return MulDiv(units, baseY_, 8);
}

QRect DialogUnits::Rect(int x, int y, int cx, int cy) const {
  const int left = X(x);
  const int top = Y(y);
  return QRect(left, top, X(x + cx) - left, Y(y + cy) - top);
}

}  // namespace cct
