#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

namespace cct {

// The open dialogs of the program, in registration order, so that long
// operations can disable them all and enable them again afterwards. Each
// window joins when its window is initialised and leaves when destroyed; a
// destroyed window that did not leave is skipped.
class DialogRegistry {
 public:
  void Register(QWidget* dialog);
  // Removes every entry of the dialog.
  void Unregister(QWidget* dialog);

  void DisableAll();
  void EnableAll();

  int Count() const { return static_cast<int>(dialogs_.size()); }
  bool Contains(const QWidget* dialog) const;

 private:
  std::vector<QPointer<QWidget>> dialogs_;
};

// Every registered dialog disabled for the object's life.
class DisabledDialogs {
 public:
  explicit DisabledDialogs(DialogRegistry& registry) : registry_(registry) {
    registry_.DisableAll();
  }
  ~DisabledDialogs() { registry_.EnableAll(); }
  DisabledDialogs(const DisabledDialogs&) = delete;
  DisabledDialogs& operator=(const DisabledDialogs&) = delete;

 private:
  DialogRegistry& registry_;
};

}  // namespace cct
