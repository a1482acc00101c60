#pragma once

#include "ui/kit/prompter.h"

namespace cct {

// The prompter of the program: QMessageBox and QFileDialog, modal to their
// owner's window; documents go to the desktop's viewer.
class QtPrompter : public Prompter {
 public:
  MsgResult MessageBox(QWidget* owner, const QString& text, const QString& caption, MsgIcon icon,
                       MsgButtons buttons = MsgButtons::Ok) override;
  FileDialogResult FileDialog(QWidget* owner, const FileDialogRequest& request) override;
  bool OpenDocument(const QString& path) override;
};

}  // namespace cct
