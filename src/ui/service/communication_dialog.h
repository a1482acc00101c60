#pragma once

#include <QString>

#include <string>

#include "serial/line_selection.h"
#include "ui/kit/log_list_model.h"
#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"

namespace cct {

class CCtrlToolDlg;

// The "Communication" window: line status, line choice, setting files,
// flash areas and the message list of every line sent and received.
// Modeless, owned by the main window, created and shown when the main window
// starts; closing only hides it. The object comes before the line is first
// opened and lives until the program ends.
class CCommunicationDialog : public CStatusDialog {
  Q_OBJECT

 public:
  static constexpr int kMessageCapacity = 4096;
  // Room for every entry at the longest line a log keeps; a flood of longer
  // lines stays within it.
  static constexpr qsizetype kMessageBudget = qsizetype{kMessageCapacity} * kLongestLogLine;

  // Falls back to the COM port when the previous run did not end normally,
  // before anything opens the line; takes the message list's lines from then on.
  explicit CCommunicationDialog(const UiContext& context);
  ~CCommunicationDialog() override;

  // The main window whose full read, setting files and current area the
  // dialog's actions use; nullptr once it is gone.
  void SetMainWindow(CCtrlToolDlg* window);

  // The line selection the dialog's lists and the start-up connection use.
  LineSelection& Selection() { return selection_; }

  // The rules that depend on the control mode; run at window start and
  // whenever the main window switches the mode.
  void ApplyControlModeRules();

  // Shows the baud rate index (0 = 9600 ... 4 = 115200 bit/s) in the Baud
  // Rate list, nothing else: the line has been set already.
  void SelectBaudRate(int index);
  // Shows the port index in the Port Name list, nothing else.
  void SelectPortIndex(int index);

  // Refills the Port Name list from the line's current mode. A stored port
  // index outside the new list reopens the line on the first port.
  void FillPortList();

  // The message list: a line at the top; the oldest goes beyond 4096.
  void AddMessage(const QString& text);
  const LogListModel& Messages() const { return messages_; }
  // "Write To File": every entry, oldest first, into a text file.
  void SaveMessages();

  // The dialog's actions, as its controls run them.
  void OnCategoryChange();
  void OnPortChange();
  void OnBaudRateChange();
  void OnAuto();
  void OnGetArea();
  void OnStore();
  void OnLoad();

  // The "Line Status" group follows the indicator.
  void Update(int online) override;

 protected:
  bool OnInitDialog() override;
  void OnControlEvent(ControlEvent& event) override;

 private:
  // The area the area list's selected item names; -1 for none.
  int SelectedArea() const;
  void ApplyStoreRule();
  void FullRead();

  UiContext context_;
  LineSelection selection_;
  LogListModel messages_{kMessageCapacity, kMessageBudget};
  CCtrlToolDlg* mainWindow_ = nullptr;
};

}  // namespace cct
