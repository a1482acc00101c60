#pragma once

#include <QString>

#include <vector>

#include "ui/main/ui_context.h"

class QWidget;

namespace cct {

class CCtrlToolDlg;
class CLUTDlg;

// The LUT menu: every editor's table from the camera, and the tables to and
// from a gamma CSV file. A monochrome camera of a known model uses the green
// editor only; otherwise red, green and blue take part.
class LutTableOperations {
 public:
  LutTableOperations(CCtrlToolDlg& window, const UiContext& context);

  // Reads the editors' tables from the camera, stopping at the first that
  // fails. True when every one was read.
  bool LoadAllTables();
  // "&Open LUT file": a file into the editors, nothing to the camera.
  void OpenLutFile();
  // "&Save LUT file": the camera's tables, read first, into a file.
  void SaveLutFile();

  bool WriteGammaCsv(const QString& path);
  // The whole file or nothing: a file with an error changes no table.
  bool ReadGammaCsv(const QString& path);

 private:
  std::vector<CLUTDlg*> Editors() const;
  bool KnownModel() const;
  void Error(const QString& text);

  CCtrlToolDlg& window_;
  UiContext context_;
};

}  // namespace cct
