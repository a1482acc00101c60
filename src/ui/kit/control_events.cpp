#include "ui/kit/control_events.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QWidget>

#include "ui/kit/control_ids.h"

namespace cct {

ControlEventSource::ControlEventSource(QWidget* dialog, Sink sink)
    : QObject(dialog), sink_(std::move(sink)) {
  const auto children = dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget* child : children) {
    if (ControlId(child) != -1) Wire(child);
  }
}

ControlEventSource::~ControlEventSource() {
  for (const QPointer<UpDownControl>& spin : spins_) {
    if (spin) spin->SetDeltaPosHandler({});
  }
}

void ControlEventSource::Wire(QWidget* control) {
  switch (ClassOf(control)) {
    case ControlClass::Edit:
      control->installEventFilter(this);
      break;
    case ControlClass::Spin:
      spins_.emplace_back(static_cast<UpDownControl*>(control));
      static_cast<UpDownControl*>(control)->SetDeltaPosHandler(
          [this](UpDownControl& spin, UpDownControl::DeltaPos& change) {
            ControlEvent event{ControlId(&spin), ControlEventCode::DeltaPos, &spin, &change};
            if (sink_) sink_(event);
            return event.keepPosition;
          });
      break;
    case ControlClass::ComboBox: {
      auto* combo = static_cast<QComboBox*>(control);
      connect(combo, &QComboBox::activated, this,
              [this, combo] { Emit(combo, ControlEventCode::SelChange); });
      break;
    }
    case ControlClass::PushButton:
    case ControlClass::CheckBox:
    case ControlClass::RadioButton: {
      auto* button = static_cast<QAbstractButton*>(control);
      connect(button, &QAbstractButton::clicked, this,
              [this, button] { Emit(button, ControlEventCode::Clicked); });
      break;
    }
    case ControlClass::None:
      break;
  }
}

bool ControlEventSource::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // A context menu of the edit box itself is no leaving.
    if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      Emit(static_cast<QWidget*>(watched), ControlEventCode::KillFocus);
    }
  }
  return QObject::eventFilter(watched, event);
}

void ControlEventSource::Emit(QWidget* control, ControlEventCode code) {
  ControlEvent event{ControlId(control), code, control};
  if (sink_) sink_(event);
}

}  // namespace cct
