#pragma once

#include <QSize>

#include "res/templates/dialog_template.h"
#include "ui/kit/dialog_units.h"

class QWidget;

namespace cct {

// Creates the template's controls as direct children of `dialog`, in
// template order (which is also the tab order), each at its rectangle and
// carrying its control id. An up-down control with the auto-buddy style
// takes the control before it as its buddy. Controls without the visible
// style are created hidden, those with the disabled style disabled.
void BuildControls(QWidget* dialog, const DialogTemplate& dialogTemplate, const DialogUnits& units);

// The template's client size in pixels.
QSize ClientSize(const DialogTemplate& dialogTemplate, const DialogUnits& units);

}  // namespace cct
