#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

#include "ui/kit/up_down_control.h"

class QWidget;

namespace cct {

// What the operator did to a control.
enum class ControlEventCode {
  Clicked,    // push button, check box or radio button
  SelChange,  // combo box: another item selected
  KillFocus,  // edit box: the focus left it
  Return,     // edit box: Enter pressed in it (raised by the window's key rules)
  DeltaPos,   // up-down control: about to move
};

struct ControlEvent {
  int ctrlId;
  ControlEventCode code;
  QWidget* control;
  // DeltaPos only: where the up-down is and its step, which the dispatcher
  // may change; set keepPosition to keep the control where it is.
  UpDownControl::DeltaPos* deltaPos = nullptr;
  bool keepPosition = false;
};

// Receives one call per operator action on a control of the main window or
// its pages.
class ControlDispatcher {
 public:
  virtual ~ControlDispatcher() = default;
  virtual void Dispatch(ControlEvent& event) = 0;
};

// Turns the Qt signals of a dialog's controls into one event each. Values
// that code puts into controls never arrive here: combo boxes report the
// operator's `activated`, buttons their clicks, edit boxes their focus loss.
class ControlEventSource : public QObject {
  Q_OBJECT

 public:
  using Sink = std::function<void(ControlEvent&)>;

  // Wires every control (direct child with a control id) of the dialog; the
  // source is a child of the dialog.
  ControlEventSource(QWidget* dialog, Sink sink);
  // The up-down controls stop asking it.
  ~ControlEventSource() override;

  // A control added after construction.
  void Wire(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Emit(QWidget* control, ControlEventCode code);

  Sink sink_;
  std::vector<QPointer<UpDownControl>> spins_;
};

}  // namespace cct
