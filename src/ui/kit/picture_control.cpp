#include "ui/kit/picture_control.h"

#include <QPainter>

#include "ui/kit/pictures.h"

namespace cct {

void PictureControl::SetBitmap(int resourceId) {
  // Set again also when unchanged: the strip is repainted either way.
  bitmap_ = resourceId;
  update();
}

void PictureControl::paintEvent(QPaintEvent*) {
  if (bitmap_ == 0) return;
  QPainter painter(this);
  PaintPicture(painter, rect(), bitmap_);
}

}  // namespace cct
