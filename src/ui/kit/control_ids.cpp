#include "ui/kit/control_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVariant>
#include <QWidget>

#include "ui/kit/up_down_control.h"

namespace cct {

namespace {
constexpr char kIdProperty[] = "cctControlId";
constexpr char kUserDataProperty[] = "cctUserData";
}  // namespace

void SetControlId(QWidget* control, int id) {
  if (control) control->setProperty(kIdProperty, id);
}

int ControlId(const QWidget* control) {
  if (!control) return -1;
  const QVariant id = control->property(kIdProperty);
  return id.isValid() ? id.toInt() : -1;
}

void SetUserData(QWidget* control, qintptr value) {
  if (control) control->setProperty(kUserDataProperty, QVariant::fromValue<qlonglong>(value));
}

qintptr UserData(const QWidget* control) {
  if (!control) return 0;
  const QVariant value = control->property(kUserDataProperty);
  return value.isValid() ? static_cast<qintptr>(value.toLongLong()) : 0;
}

QWidget* FindDlgItem(const QWidget* dialog, int id) {
  if (!dialog || id == -1) return nullptr;
  const auto children = dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget* child : children) {
    if (ControlId(child) == id) return child;
  }
  return nullptr;
}

ControlClass ClassOf(const QWidget* control) {
  if (qobject_cast<const QLineEdit*>(control)) return ControlClass::Edit;
  if (qobject_cast<const UpDownControl*>(control)) return ControlClass::Spin;
  if (qobject_cast<const QComboBox*>(control)) return ControlClass::ComboBox;
  if (qobject_cast<const QPushButton*>(control)) return ControlClass::PushButton;
  if (qobject_cast<const QCheckBox*>(control)) return ControlClass::CheckBox;
  if (qobject_cast<const QRadioButton*>(control)) return ControlClass::RadioButton;
  return ControlClass::None;
}

}  // namespace cct
