#include "ui/main/dialog_registry.h"

#include <algorithm>

namespace cct {

void DialogRegistry::Register(QWidget* dialog) {
  if (dialog) dialogs_.emplace_back(dialog);
}

void DialogRegistry::Unregister(QWidget* dialog) {
  std::erase_if(dialogs_, [dialog](const QPointer<QWidget>& entry) {
    return entry.isNull() || entry.data() == dialog;
  });
}

void DialogRegistry::DisableAll() {
  for (const QPointer<QWidget>& dialog : dialogs_) {
    if (dialog) dialog->setEnabled(false);
  }
}

void DialogRegistry::EnableAll() {
  for (const QPointer<QWidget>& dialog : dialogs_) {
    if (dialog) dialog->setEnabled(true);
  }
}

bool DialogRegistry::Contains(const QWidget* dialog) const {
  return std::any_of(dialogs_.begin(), dialogs_.end(),
                     [dialog](const QPointer<QWidget>& entry) { return entry.data() == dialog; });
}

}  // namespace cct
