#pragma once

#include <QString>

#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"

namespace cct {

// Writes the camera's user ID and tells the operator how it went. A text
// over 16 characters is refused before anything is sent.
bool WriteUserId(const UiContext& context, QWidget* owner, const QString& text);

// "User Id": shows the camera's user ID and writes it. Modal, run by the
// main window's "Edit user id"; it stays open after saving.
class CUserIdDialog : public CStatusDialog {
  Q_OBJECT

 public:
  explicit CUserIdDialog(const UiContext& context);
  ~CUserIdDialog() override;

  // "Save": writes the edit's text; false when nothing was written.
  bool OnSave();

 protected:
  bool OnInitDialog() override;
  void OnControlEvent(ControlEvent& event) override;

 private:
  void UpdateSaveButton();

  UiContext context_;
  // The edit holds the camera's ID or the operator's own text, not the
  // placeholder, so saving it writes nothing the tool made up.
  bool userIdKnown_ = false;
};

}  // namespace cct
