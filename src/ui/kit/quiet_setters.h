#pragma once

#include <QString>

class QAbstractButton;
class QComboBox;
class QWidget;

namespace cct {

// Values put into controls by code: the controls' signals are blocked
// meanwhile, so none of it reaches the dispatcher as the operator's change.

// The text of an edit box, label or button.
void SetTextQuietly(QWidget* control, const QString& text);
// -1 selects nothing.
void SelectQuietly(QComboBox* combo, int index);
void CheckQuietly(QAbstractButton* button, bool checked);

}  // namespace cct
