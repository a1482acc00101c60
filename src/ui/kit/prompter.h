#pragma once

#include <QString>

#include <vector>

#include "protocol/host.h"

class QWidget;

namespace cct {

struct FileFilter {
  QString label;    // as shown, e.g. "txt file (*.txt)"
  QString pattern;  // e.g. "*.txt"
};

struct FileDialogRequest {
  bool save = false;
  QString folder;         // where the dialog opens
  QString fileName;       // proposed name, may be empty
  QString defaultSuffix;  // added to a name typed without one, without the dot
  std::vector<FileFilter> filters;
  bool fileMustExist = false;
};

// The dialog's result codes: OK and cancel as the platform's dialogs report
// them; any other code is a failure of the dialog itself.
inline constexpr int kFileDialogOk = 1;
inline constexpr int kFileDialogCancel = 2;

struct FileDialogResult {
  int code = kFileDialogCancel;
  QString path;  // the chosen file with OK
};

// Everything the program asks of the operator in a box of its own: message
// boxes and file dialogs, and the documents it hands to the desktop. No other
// code opens any of them; tests put a scripted prompter in its place and read
// what was shown.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual MsgResult MessageBox(QWidget* owner, const QString& text, const QString& caption,
                               MsgIcon icon, MsgButtons buttons = MsgButtons::Ok) = 0;
  // The file dialog asks nothing about replacing a file; callers that care ask.
  virtual FileDialogResult FileDialog(QWidget* owner, const FileDialogRequest& request) = 0;
  // Opens the file in the desktop's viewer for its type, without waiting for
  // it; false when no viewer could be started.
  virtual bool OpenDocument(const QString& path) = 0;
};

}  // namespace cct
