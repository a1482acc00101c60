#include "ui/main/file_choice.h"

#include <QFileInfo>

#include <string>

#include "protocol/host.h"
#include "serial/preferences.h"

namespace cct {

QString ChooseFile(Prompter& prompter, Preferences& preferences, QWidget* owner,
                   const FileChoice& choice) {
  std::string folder;
  preferences.GetPath(choice.folderPreference, folder);
  FileDialogRequest request;
  request.save = choice.save;
  request.folder = QString::fromStdString(folder);
  request.defaultSuffix = choice.defaultSuffix;
  request.filters = {choice.filter};
  // Only a file to open must exist; a save names a new one as often as not.
  request.fileMustExist = !choice.save;

  const FileDialogResult result = prompter.FileDialog(owner, request);
  if (result.code == kFileDialogCancel) return {};
  if (result.code != kFileDialogOk) {
    prompter.MessageBox(owner,
                        QStringLiteral("Error in Load Dialog! (Return-code = %1)").arg(result.code),
                        QStringLiteral("Load Error"), MsgIcon::Warning);
    return {};
  }
  if (result.path.isEmpty()) return {};
  if (choice.save && QFileInfo::exists(result.path)) {
    const QString question =
        result.path + QStringLiteral("\nThis file already exists.\nReplace existing file?");
    if (prompter.MessageBox(owner, question, QString::fromLatin1(kAppCaption), MsgIcon::Question,
                            MsgButtons::YesNo) != MsgResult::Yes) {
      return {};
    }
  }
  return result.path;
}

void RememberFolder(Preferences& preferences, int folderPreference, const QString& path) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  // A file in the root folder keeps "/" rather than an empty folder.
  const QString folder = slash < 0 ? QString() : path.left(slash > 0 ? slash : 1);
  preferences.SetText(folderPreference, folder.toStdString());
}

}  // namespace cct
