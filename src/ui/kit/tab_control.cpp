#include "ui/kit/tab_control.h"

#include <QSignalBlocker>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <QVariant>

#include "ui/kit/wheel_focus.h"

namespace cct {

namespace {
constexpr int kPaneMargin = 4;  // between the pane's frame and the pages
}

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
  bar_->setDrawBase(false);
  bar_->setExpanding(false);
  bar_->setUsesScrollButtons(true);
  connect(bar_, &QTabBar::currentChanged, this, [this] { emit SelectionChanged(); });
  setFocusProxy(bar_);
  TakeWheelOnlyWithFocus(bar_);
  // The row's height with a tab in it, so an empty control keeps its pane.
  {
    const QSignalBlocker quiet(bar_);
    bar_->addTab(QStringLiteral("X"));
    barHeight_ = bar_->sizeHint().height();
    bar_->removeTab(0);
  }
}

int TabControl::InsertItem(int index, const QString& text, qintptr data) {
  if (index < 0) return -1;
  const QSignalBlocker quiet(bar_);
  const int at = bar_->insertTab(index, text);
  bar_->setTabData(at, QVariant::fromValue<qlonglong>(data));
  update();
  return at;
}

void TabControl::DeleteAllItems() {
  const QSignalBlocker quiet(bar_);
  while (bar_->count() > 0) bar_->removeTab(bar_->count() - 1);
  update();
}

int TabControl::GetItemCount() const {
  return bar_->count();
}

QString TabControl::GetItemText(int index) const {
  return bar_->tabText(index);
}

qintptr TabControl::GetItemData(int index) const {
  if (index < 0 || index >= bar_->count()) return -1;
  return static_cast<qintptr>(bar_->tabData(index).toLongLong());
}

int TabControl::GetCurSel() const {
  return bar_->currentIndex();
}

int TabControl::SetCurSel(int index) {
  if (index < 0 || index >= bar_->count()) return -1;
  const int previous = bar_->currentIndex();
  const QSignalBlocker quiet(bar_);
  bar_->setCurrentIndex(index);
  return previous;
}

QRect TabControl::PaneRect() const {
  const int top = barHeight_ - 1;
  return QRect(0, top, width(), height() - top);
}

QRect TabControl::DisplayRect() const {
  return PaneRect().adjusted(kPaneMargin, kPaneMargin, -kPaneMargin, -kPaneMargin);
}

void TabControl::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = PaneRect();
  frame.shape = QTabBar::RoundedNorth;
  frame.tabBarSize = bar_->sizeHint();
  frame.tabBarRect = bar_->geometry();
  frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void TabControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  bar_->setGeometry(2, 0, width() - 4, barHeight_);
}

}  // namespace cct
