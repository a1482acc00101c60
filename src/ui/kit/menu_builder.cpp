#include "ui/kit/menu_builder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace cct {

QMenuBar* BuildMenuBar(std::span<const MenuEntry> entries, QWidget* parent,
                       std::function<void(int)> onCommand) {
  auto* bar = new QMenuBar(parent);
  // The menus being filled, innermost last; empty while on the bar itself.
  std::vector<QMenu*> open;
  for (const MenuEntry& entry : entries) {
    const QString text = QString::fromUtf8(entry.text ? entry.text : "");
    switch (entry.kind) {
      case MenuEntryKind::Popup: {
        QMenu* menu = open.empty() ? bar->addMenu(text) : open.back()->addMenu(text);
        open.push_back(menu);
        break;
      }
      case MenuEntryKind::Item: {
        QAction* action = open.empty() ? bar->addAction(text) : open.back()->addAction(text);
        action->setData(entry.commandId);
        const int id = entry.commandId;
        QObject::connect(action, &QAction::triggered, bar, [onCommand, id] {
          if (onCommand) onCommand(id);
        });
        break;
      }
      case MenuEntryKind::Separator:
        if (!open.empty()) open.back()->addSeparator();
        break;
      case MenuEntryKind::End:
        if (!open.empty()) open.pop_back();
        break;
    }
  }
  return bar;
}

}  // namespace cct
