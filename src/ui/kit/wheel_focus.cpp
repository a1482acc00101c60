#include "ui/kit/wheel_focus.h"

#include <QEvent>
#include <QWidget>

namespace cct {

namespace {

class WheelFilter : public QObject {
 public:
  explicit WheelFilter(QWidget* control) : QObject(control), control_(control) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != control_ || event->type() != QEvent::Wheel || control_->hasFocus()) {
      return false;
    }
    // Ignored and filtered: Qt hands it on to the parents instead.
    event->ignore();
    return true;
  }

 private:
  QWidget* control_;
};

}  // namespace

void TakeWheelOnlyWithFocus(QWidget* control) {
  if (!control) return;
  const Qt::FocusPolicy policy = control->focusPolicy();
  if ((policy & Qt::WheelFocus) == Qt::WheelFocus) control->setFocusPolicy(Qt::StrongFocus);
  control->installEventFilter(new WheelFilter(control));
}

}  // namespace cct
