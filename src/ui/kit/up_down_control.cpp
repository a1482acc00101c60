#include "ui/kit/up_down_control.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <climits>

namespace cct {

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, [this] { Step(UpStep()); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-UpStep()); });
}

void UpDownControl::SetRange(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
  pos_ = Limit(pos_);
}

void UpDownControl::SetPos(int pos) {
  pos_ = Limit(pos);
  ShowInBuddy();
}

void UpDownControl::SetBuddy(QWidget* buddy) {
  if (buddy_) buddy_->removeEventFilter(this);
  buddy_ = buddy;
  if (buddy_ && arrowKeys_) buddy_->installEventFilter(this);
}

void UpDownControl::SetArrowKeys(bool arrowKeys) {
  arrowKeys_ = arrowKeys;
  if (!buddy_) return;
  buddy_->removeEventFilter(this);
  if (arrowKeys_) buddy_->installEventFilter(this);
}

bool UpDownControl::TakeUpBuddyText() {
  auto* edit = qobject_cast<QLineEdit*>(buddy_.data());
  if (!edit) return false;
  int value = 0;
  if (!ParseWholeNumber(edit->text(), value)) return false;
  if (value < std::min(lower_, upper_) || value > std::max(lower_, upper_)) return false;
  pos_ = value;
  return true;
}

void UpDownControl::Step(int delta) {
  if (!isEnabled()) return;
  TakeUpBuddyText();
  DeltaPos change{pos_, delta};
  if (handler_ && handler_(*this, change)) return;
  // The owner may have moved the control itself while it was asked.
  SetPos(static_cast<int>(
      std::clamp<long long>(static_cast<long long>(pos_) + change.delta, INT_MIN, INT_MAX)));
}

bool UpDownControl::ParseWholeNumber(const QString& text, int& value) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) {
    value = 0;
    return true;
  }
  int start = 0;
  if (trimmed[0] == u'-' || trimmed[0] == u'+') start = 1;
  if (start == trimmed.size()) return false;
  for (int i = start; i < trimmed.size(); ++i) {
    if (trimmed[i] < u'0' || trimmed[i] > u'9') return false;
  }
  bool ok = false;
  const int parsed = trimmed.toInt(&ok, 10);
  if (!ok) return false;
  value = parsed;
  return true;
}

void UpDownControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buddy_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? UpStep() : -UpStep());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

int UpDownControl::Limit(int pos) const {
  return std::clamp(pos, std::min(lower_, upper_), std::max(lower_, upper_));
}

void UpDownControl::ShowInBuddy() {
  auto* edit = qobject_cast<QLineEdit*>(buddy_.data());
  if (!edit || !showsPosInBuddy_) return;
  // A position set by code is no change of the operator's.
  const QSignalBlocker quiet(edit);
  edit->setText(QString::number(pos_));
}

}  // namespace cct
