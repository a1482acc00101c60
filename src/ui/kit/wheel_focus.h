#pragma once

class QWidget;

namespace cct {

// The control takes the mouse wheel only while it has the focus; otherwise
// the wheel goes on to the window, which scrolls nothing. A wheel turned
// over a list the operator is not using would pick another item and send
// it to the camera. The wheel no longer gives the control the focus either.
void TakeWheelOnlyWithFocus(QWidget* control);

}  // namespace cct
