#pragma once

#include <QWidget>

class QTabBar;

namespace cct {

// A tab control as dialogs have it: a row of tabs, each with a text and an
// integer of its owner's, over a framed display area. The pages are ordinary
// children placed by the owner in DisplayRect(); the control never shows or
// hides them. Only the operator's selection is signalled.
class TabControl : public QWidget {
  Q_OBJECT

 public:
  explicit TabControl(QWidget* parent = nullptr);

  // The tab's index, or -1 when it could not be inserted.
  int InsertItem(int index, const QString& text, qintptr data);
  void DeleteAllItems();
  int GetItemCount() const;
  QString GetItemText(int index) const;
  // -1 for an index outside the tabs.
  qintptr GetItemData(int index) const;
  // -1 when there is no tab.
  int GetCurSel() const;
  // Selects without signalling; returns the previous selection, -1 when the
  // index is outside the tabs.
  int SetCurSel(int index);

  // The display area in this control's coordinates.
  QRect DisplayRect() const;

  QTabBar* Bar() const { return bar_; }

 signals:
  void SelectionChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect PaneRect() const;

  QTabBar* bar_;
  int barHeight_ = 0;
};

}  // namespace cct
