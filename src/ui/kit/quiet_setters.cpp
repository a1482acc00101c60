#include "ui/kit/quiet_setters.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace cct {

void SetTextQuietly(QWidget* control, const QString& text) {
  const QSignalBlocker quiet(control);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(text);
  }
}

void SelectQuietly(QComboBox* combo, int index) {
  if (!combo) return;
  const QSignalBlocker quiet(combo);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void CheckQuietly(QAbstractButton* button, bool checked) {
  if (!button) return;
  const QSignalBlocker quiet(button);
  button->setChecked(checked);
}

}  // namespace cct
