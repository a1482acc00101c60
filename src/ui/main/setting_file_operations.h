#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/main/ui_context.h"

class QSaveFile;
class QWidget;

namespace cct {

class CCtrlToolDlg;

// The camera setting file from the windows: "All Data" and "Shipping Data"
// save the camera's settings, "&Open" applies a file to the camera. The file
// format lives in src/lut; this adds the dialogs, the camera queries and the
// pages.
class SettingFileOperations {
 public:
  SettingFileOperations(CCtrlToolDlg& window, const UiContext& context);

  void SaveAllData(QWidget* owner);
  void SaveShippingData(QWidget* owner);
  void OpenCameraFile(QWidget* owner);

  // The model line (factory mode, known model), the device line and the
  // parameter lines of the control mode.
  bool WriteAllData(const QString& path);
  // Every parameter line, factory rows included.
  bool WriteShippingData(const QString& path);
  // Sends the file's lines to the camera and shows what it accepted.
  bool ReadCameraFile(QWidget* owner, const QString& path);

 private:
  using Writer = bool (SettingFileOperations::*)(const QString&);
  void SaveAs(QWidget* owner, Writer writer);
  // The file opens into a temporary one beside it, which Commit puts in its
  // place; each reports its failure.
  bool OpenForWriting(QSaveFile& file);
  bool Commit(QSaveFile& file, const std::string& text);
  // The factory rows' values as the camera holds them now, into `values`;
  // false when the camera did not give every one.
  bool QueryFactoryRows(std::vector<int32_t>& values);
  void Warn(QWidget* owner, const QString& text, const QString& caption);
  // The file could not be opened, or not written whole.
  void FileOpenError(QWidget* owner, const QString& path);

  CCtrlToolDlg& window_;
  UiContext context_;
};

}  // namespace cct
