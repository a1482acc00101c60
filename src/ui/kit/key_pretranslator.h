#pragma once

#include <QObject>

#include <functional>

class QComboBox;
class QKeyEvent;
class QWidget;

namespace cct {

// Shows a window every key press meant for it — for its controls, its pages
// and the dropped lists of its combo boxes — before the receiving control
// sees it, once per press however far Qt passes the key on. The handler
// gets the receiving widget and returns true to swallow the key.
class KeyPreTranslator : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<bool(QWidget* receiver, QKeyEvent& key)>;

  // Watches the application's events while it lives.
  KeyPreTranslator(QWidget* window, Handler handler);
  ~KeyPreTranslator() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsFor(QWidget* receiver) const;

  QWidget* window_;
  Handler handler_;
  const QEvent* lastKey_ = nullptr;  // the key press being passed on
};

// The combo box whose dropped list holds `widget`; nullptr when the widget
// is not in a dropped list.
QComboBox* ComboOfDroppedList(QWidget* widget);

}  // namespace cct
