#include "ui/kit/qt_prompter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

#include "protocol/shutdown_request.h"
#include "ui/kit/busy_cursor.h"

namespace cct {

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::Error:
      return QMessageBox::Critical;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::None:
      return QMessageBox::NoIcon;
    case MsgIcon::Warning:
      break;
  }
  return QMessageBox::Warning;
}

QWidget* OwnerWindow(QWidget* owner) {
  return owner ? owner->window() : nullptr;
}

QString NameFilter(const FileFilter& filter) {
  // A label that names its pattern already is taken as it is.
  if (filter.label.contains(QLatin1Char('(')) || filter.pattern.isEmpty()) return filter.label;
  return filter.label + QStringLiteral(" (") + filter.pattern + QLatin1Char(')');
}

}  // namespace

MsgResult QtPrompter::MessageBox(QWidget* owner, const QString& text, const QString& caption,
                                 MsgIcon icon, MsgButtons buttons) {
  const bool yesNo = buttons == MsgButtons::YesNo;
  // Once the program is to end, no box waits for an answer: a question is
  // answered No, so nothing goes ahead.
  if (ShutdownRequested()) return yesNo ? MsgResult::No : MsgResult::Ok;
  QMessageBox box(ToQtIcon(icon), caption, text,
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, OwnerWindow(owner));
  // Camera answers must not be read as markup.
  box.setTextFormat(Qt::PlainText);
  // The operator answers with the arrow cursor, also in the middle of work.
  BusyCursor::Suspend arrow;
  const int answer = box.exec();
  if (!yesNo) return MsgResult::Ok;
  return answer == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
}

FileDialogResult QtPrompter::FileDialog(QWidget* owner, const FileDialogRequest& request) {
  if (ShutdownRequested()) return FileDialogResult{};
  QFileDialog dialog(OwnerWindow(owner));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save || !request.fileMustExist ? QFileDialog::AnyFile
                                                            : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
  QStringList filters;
  for (const FileFilter& filter : request.filters) filters << NameFilter(filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);

  BusyCursor::Suspend arrow;
  FileDialogResult result;
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    result.code = kFileDialogOk;
    result.path = QDir::toNativeSeparators(dialog.selectedFiles().first());
  }
  return result;
}

bool QtPrompter::OpenDocument(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace cct
