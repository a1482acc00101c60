#pragma once

#include <QString>

#include "ui/kit/prompter.h"

class QWidget;

namespace cct {

class Preferences;

// What the operator is asked to choose: a file to open or to save, of one
// kind, starting in the folder a preference remembers.
struct FileChoice {
  bool save = false;
  int folderPreference = 0;
  QString defaultSuffix;  // without the dot
  FileFilter filter;
};

// Shows the file dialog in the remembered folder. A dialog that fails is
// reported; saving over an existing file needs the operator's Yes. Returns the
// chosen path, or an empty text when nothing is to be done.
QString ChooseFile(Prompter& prompter, Preferences& preferences, QWidget* owner,
                   const FileChoice& choice);

// Remembers the folder of `path` (everything before its last "/"; empty when
// there is none) in the preference.
void RememberFolder(Preferences& preferences, int folderPreference, const QString& path);

}  // namespace cct
