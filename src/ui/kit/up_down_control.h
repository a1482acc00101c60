#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;

namespace cct {

// A spin control of its own, beside a buddy edit box: two arrow buttons, a
// range and a position. Before every step the operator makes (arrow button,
// or arrow key in the buddy) it tells its owner where it is and by how much
// it is about to move; the owner may change the step, move the control
// itself with SetPos, or keep it where it is.
class UpDownControl : public QWidget {
  Q_OBJECT

 public:
  struct DeltaPos {
    int pos;    // position before the step
    int delta;  // the step; the owner may change it
  };
  // Returns true to keep the control where it is.
  using DeltaPosHandler = std::function<bool(UpDownControl&, DeltaPos&)>;

  explicit UpDownControl(QWidget* parent = nullptr);

  // Up moves towards `upper`, which may be below `lower`.
  void SetRange(int lower, int upper);
  int Lower() const { return lower_; }
  int Upper() const { return upper_; }

  // Limited to the range; shown in the buddy when it shows positions. Never
  // reaches the owner as a step.
  void SetPos(int pos);
  int Pos() const { return pos_; }

  void SetBuddy(QWidget* buddy);
  QWidget* Buddy() const { return buddy_; }
  void SetShowsPosInBuddy(bool shows) { showsPosInBuddy_ = shows; }
  // Up and down arrow keys in the buddy step the control.
  void SetArrowKeys(bool arrowKeys);

  void SetDeltaPosHandler(DeltaPosHandler handler) { handler_ = std::move(handler); }

  // Takes up the buddy's text: a whole decimal number within the range (an
  // empty text counts as 0) becomes the position; anything else leaves it.
  // True when the position was taken from the text.
  bool TakeUpBuddyText();

  // One step of the operator: the buddy's text is taken up, the owner is
  // asked, then the control moves by the step, limited to the range.
  void Step(int delta);

  // A whole decimal number: optional sign and digits, blanks around allowed;
  // an empty text is 0. False for anything else or outside 32 bits.
  static bool ParseWholeNumber(const QString& text, int& value);

  // The arrow buttons, for tests that click them.
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int UpStep() const { return upper_ >= lower_ ? 1 : -1; }
  int Limit(int pos) const;
  void ShowInBuddy();

  QToolButton* up_;
  QToolButton* down_;
  QPointer<QWidget> buddy_;
  DeltaPosHandler handler_;
  int lower_ = 0;
  int upper_ = 100;
  int pos_ = 0;
  bool showsPosInBuddy_ = true;
  bool arrowKeys_ = true;
};

}  // namespace cct
