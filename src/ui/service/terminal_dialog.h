#pragma once

#include <QDateTime>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

#include "ui/kit/log_list_model.h"
#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"

namespace cct {

// The "RS-232C TERMINAL" window: a raw terminal on the camera line with the
// time-stamped list of all traffic. Modeless, owned by the main window,
// created hidden when the main window starts; closing only hides it.
class CTerminalDialog : public CStatusDialog {
  Q_OBJECT

 public:
  static constexpr int kLineCapacity = 32786;
  static constexpr int kPrintLimit = kLongestLogLine;
  // "mm:ss:mmm" and two blanks before every entry.
  static constexpr int kStampLength = 11;
  // Room for every entry at the longest line a log keeps, with its stamp; a
  // flood of longer lines stays within it.
  static constexpr qsizetype kLineBudget = qsizetype{kLineCapacity} * (kStampLength + kPrintLimit);
  // The smallest client area in which no control's rectangle turns over.
  static constexpr QSize kMinClientSize{200, 140};

  using TimeSource = std::function<QDateTime()>;

  // Takes the line traffic into the list from here on, window or not.
  explicit CTerminalDialog(const UiContext& context);
  ~CTerminalDialog() override;

  // The list: "mm:ss:mmm" of the UTC time, two blanks, then the text, at
  // the top; beyond the capacity the oldest line goes.
  void AddLine(const QString& text);
  // The text, cut to its first 255 characters, as AddLine. The caller
  // formats it, so no camera or typed text is ever taken as a format.
  void PrintLine(const QString& text);
  const LogListModel& Lines() const { return lines_; }

  // Where the time stamps come from; the system's UTC time by default or
  // when empty.
  void SetTimeSource(TimeSource now);

  // "Send": the command field's text and CR LF straight onto the line. The
  // answer comes in through the command layer's polling.
  void Send();
  // "Save": every line, newest first, into a file the operator chooses.
  void SaveTerminal();

  // Where each control goes in a client area of `client` pixels.
  static QRect ControlRect(int ctrlId, const QSize& client);

 protected:
  bool OnInitDialog() override;
  void OnControlEvent(ControlEvent& event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceControls();

  UiContext context_;
  LogListModel lines_{kLineCapacity, kLineBudget};
  TimeSource now_;
};

}  // namespace cct
