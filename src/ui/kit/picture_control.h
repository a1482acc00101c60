#pragma once

#include <QWidget>

namespace cct {

// A picture control: shows one of the program's pictures (see pictures.h),
// scaled to the control. Bitmap 0 shows nothing.
class PictureControl : public QWidget {
  Q_OBJECT

 public:
  explicit PictureControl(QWidget* parent = nullptr) : QWidget(parent) {}

  void SetBitmap(int resourceId);
  int Bitmap() const { return bitmap_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int bitmap_ = 0;
};

}  // namespace cct
