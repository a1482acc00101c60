#pragma once

#include <QtGlobal>

class QWidget;

namespace cct {

// The classes of control the page binding tells apart; every other window
// (labels, group boxes, the tab control) is None.
enum class ControlClass { None, Edit, Spin, ComboBox, PushButton, CheckBox, RadioButton };

// Every control built from a template carries its control id.
void SetControlId(QWidget* control, int id);
// -1 when the widget carries none.
int ControlId(const QWidget* control);

// One integer per control for its owner's use; the pages keep an edit box's
// up-down control id here. 0 until set.
void SetUserData(QWidget* control, qintptr value);
qintptr UserData(const QWidget* control);

// The control of the dialog with that id: a direct child, as controls of a
// dialog are; nullptr when there is none.
QWidget* FindDlgItem(const QWidget* dialog, int id);

ControlClass ClassOf(const QWidget* control);

}  // namespace cct
