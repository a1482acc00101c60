#pragma once

#include <functional>
#include <span>

#include "res/templates/menu_template.h"

class QMenuBar;
class QWidget;

namespace cct {

// Builds a menu bar from a menu template. Choosing an item calls `onCommand`
// with its command id; each action also carries the id as its data.
QMenuBar* BuildMenuBar(std::span<const MenuEntry> entries, QWidget* parent,
                       std::function<void(int)> onCommand);

}  // namespace cct
