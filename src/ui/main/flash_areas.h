#pragma once

#include <QString>

#include "protocol/flash_area.h"

class QWidget;

namespace cct {

class Prompter;

// The areas as the area selection dialog names them ("Factory", "User 1", ...)
// and as the Communication dialog does ("Factory Data", "User 1 Data", ...).
// A text that names no area gives -1; an area outside 0..3 the name "Unkown".
QString AreaSelectName(int area);
int AreaOfSelectName(const QString& name);
QString AreaDataName(int area);
int AreaOfDataName(const QString& name);

// "Selected invalid area !"
void ShowInvalidArea(Prompter& prompter, QWidget* owner);

}  // namespace cct
