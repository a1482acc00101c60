#include "ui/kit/key_pretranslator.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace cct {

KeyPreTranslator::KeyPreTranslator(QWidget* window, Handler handler)
    : QObject(window), window_(window), handler_(std::move(handler)) {
  if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

KeyPreTranslator::~KeyPreTranslator() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyPreTranslator::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    // Any other event ends the passing on of the last key press.
    lastKey_ = nullptr;
    return false;
  }
  // The window system's key reaches the native window first, which hands the
  // same event on to a widget: only widgets count.
  auto* receiver = qobject_cast<QWidget*>(watched);
  if (!receiver) return false;
  // Qt offers a key the receiver ignores to its parents, one by one; each
  // of those deliveries passes here again.
  if (event == lastKey_) return false;
  lastKey_ = event;
  if (!handler_ || !IsFor(receiver)) return false;
  return handler_(receiver, *static_cast<QKeyEvent*>(event));
}

bool KeyPreTranslator::IsFor(QWidget* receiver) const {
  if (receiver->window() == window_) return true;
  QComboBox* combo = ComboOfDroppedList(receiver);
  return combo && combo->window() == window_;
}

QComboBox* ComboOfDroppedList(QWidget* widget) {
  if (!widget) return nullptr;
  QWidget* popup = widget->window();
  if (popup->windowType() != Qt::Popup) return nullptr;
  for (QWidget* up = popup->parentWidget(); up; up = up->parentWidget()) {
    if (auto* combo = qobject_cast<QComboBox*>(up)) return combo;
  }
  return nullptr;
}

}  // namespace cct
