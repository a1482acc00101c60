#pragma once

#include "ui/kit/log_list_model.h"
#include "ui/kit/prompter.h"
#include "ui/main/ui_context.h"

class QWidget;

namespace cct {

// How a log list goes into a file: its kind of file, and its order.
struct LogFileKind {
  QString suffix;  // without the dot
  FileFilter filter;
  bool newestFirst = false;
};

// Saves a log list into a text file the operator chooses, one line each
// ending CR LF. The file is written whole or not at all: a failure leaves
// the old one and says "File open error !". The folder is remembered either
// way. True when the file was written.
bool SaveLogFile(const UiContext& context, QWidget* owner, const LogListModel& lines,
                 const LogFileKind& kind);

}  // namespace cct
