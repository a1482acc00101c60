#pragma once

#include <QPointer>
#include <QString>

#include "protocol/timing.h"
#include "ui/kit/template_dialog.h"

class QLabel;
class QProgressBar;

namespace cct {

// The small window the long operations show: one message and a bar from 0
// to 100 %. The object lives for the whole program; its window exists only
// from Open to Close, and keeps its owner's window disabled meanwhile.
class CProgressBarDialog {
 public:
  explicit CProgressBarDialog(const Timing& timing);
  ~CProgressBarDialog();
  CProgressBarDialog(const CProgressBarDialog&) = delete;
  CProgressBarDialog& operator=(const CProgressBarDialog&) = delete;

  // Disables the owner's window if it is enabled, shows the window centred
  // on it with the message and the bar at 0. While a window is open already
  // it only takes the new message and starts the bar again.
  void Open(QWidget* owner, const QString& message);
  // 0..100; ignored while no window is visible.
  void SetPos(int percent);
  void SetMessage(const QString& text);
  // Only while the window is visible: the bar shows 100 % for the hold time,
  // then the window goes — which enables the owner, also one that was
  // disabled before Open — and the owner becomes the active window.
  void Close();

  bool IsOpen() const { return !window_.isNull(); }
  bool IsVisible() const;
  int Pos() const;
  QString Message() const;
  QWidget* Window() const;
  QWidget* Owner() const { return owner_; }

 private:
  class ProgressWindow;

  const Timing& timing_;
  QPointer<QWidget> owner_;
  QPointer<ProgressWindow> window_;
};

}  // namespace cct
