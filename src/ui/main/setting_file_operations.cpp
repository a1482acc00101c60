#include "ui/main/setting_file_operations.h"

#include <QFile>
#include <QSaveFile>

#include "app/control_mode.h"
#include "lut/camera_setting_file.h"
#include "lut/data_file_read.h"
#include "lut/setting_file_applier.h"
#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "serial/camera_model.h"
#include "serial/preferences.h"
#include "ui/kit/event_pump.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/file_choice.h"
#include "ui/main/page_binding.h"
#include "ui/main/page_binding_limits.h"
#include "ui/main/ui_host.h"

namespace cct {

namespace {

constexpr uint32_t kDeviceQueryMs = 5000;
constexpr char kReadingMessage[] = "Now, reading camera setting file.";

FileChoice CameraFileChoice(bool save) {
  FileChoice choice;
  choice.save = save;
  choice.folderPreference = kPrefCameraFilePath;
  choice.defaultSuffix = QStringLiteral("cam");
  choice.filter = {QStringLiteral("Camera setting data (*.cam)"), QStringLiteral("*.cam")};
  return choice;
}

}  // namespace

SettingFileOperations::SettingFileOperations(CCtrlToolDlg& window, const UiContext& context)
    : window_(window), context_(context) {}

void SettingFileOperations::Warn(QWidget* owner, const QString& text, const QString& caption) {
  context_.ui.GetPrompter().MessageBox(owner, text, caption, MsgIcon::Warning);
}

void SettingFileOperations::FileOpenError(QWidget* owner, const QString& path) {
  Warn(owner, path + QStringLiteral("\nCouldn't open this file"),
       QStringLiteral("File Open Error"));
}

void SettingFileOperations::SaveAllData(QWidget* owner) {
  SaveAs(owner, &SettingFileOperations::WriteAllData);
}

void SettingFileOperations::SaveShippingData(QWidget* owner) {
  SaveAs(owner, &SettingFileOperations::WriteShippingData);
}

void SettingFileOperations::SaveAs(QWidget* owner, Writer writer) {
  // The writers take the values from the table: without a complete read on
  // this line it holds defaults, and a file of them would pass for the
  // camera's settings.
  if (!window_.Binding().HasCameraSettings()) {
    Warn(owner,
         QStringLiteral("The camera settings have not all been read since the line was opened.\n"
                        "No file was written."),
         QString::fromLatin1(kAppCaption));
    return;
  }
  const QString path =
      ChooseFile(context_.ui.GetPrompter(), context_.preferences, owner, CameraFileChoice(true));
  if (path.isEmpty()) return;
  (this->*writer)(path);
  RememberFolder(context_.preferences, kPrefCameraFilePath, path);
}

void SettingFileOperations::OpenCameraFile(QWidget* owner) {
  const QString path =
      ChooseFile(context_.ui.GetPrompter(), context_.preferences, owner, CameraFileChoice(false));
  if (path.isEmpty()) return;
  ReadCameraFile(owner, path);
  RememberFolder(context_.preferences, kPrefCameraFilePath, path);
}

bool SettingFileOperations::OpenForWriting(QSaveFile& file) {
  if (file.open(QIODevice::WriteOnly)) return true;
  FileOpenError(&window_, file.fileName());
  return false;
}

bool SettingFileOperations::Commit(QSaveFile& file, const std::string& text) {
  // The whole text goes into a temporary file that replaces the old one
  // only when all of it is written: a failure leaves the previous file.
  const QByteArray bytes = QByteArray::fromStdString(text);
  if (file.write(bytes) == bytes.size() && file.commit()) return true;
  file.cancelWriting();
  FileOpenError(&window_, file.fileName());
  return false;
}

bool SettingFileOperations::WriteAllData(const QString& path) {
  QSaveFile file(path);
  if (!OpenForWriting(file)) return false;
  const int mode = context_.controlMode.GetControlMode();
  std::string text;
  // The model as the camera names itself now, not as an earlier answer did.
  if (mode == kFactoryMode && ProbeCamera(context_.command, context_.ui, context_.cameraModel) &&
      IsKnownModel(context_.cameraModel.modelIndex)) {
    text += ModelLine(context_.cameraModel.modelText);
  }
  std::string device;
  if (context_.command.QueryText(kCmdDV, device, kDeviceQueryMs)) text += DeviceLine(device);
  text += ParameterLines(context_.parameters, TheCommandTable(), CurrentValues(context_.parameters),
                         mode != kUserMode);
  return Commit(file, text);
}

bool SettingFileOperations::QueryFactoryRows(std::vector<int32_t>& values) {
  return QuerySettingFileValues(context_.command, context_.parameters, /*userRows*/ false,
                                /*factoryRows*/ true, values, limits::kQueryMs);
}

bool SettingFileOperations::WriteShippingData(const QString& path) {
  QSaveFile file(path);
  if (!OpenForWriting(file)) return false;
  std::vector<int32_t> values = CurrentValues(context_.parameters);
  // In user mode the full read leaves the factory rows out, so the table
  // holds their defaults: the file takes them from the camera instead.
  if (context_.controlMode.GetControlMode() == kUserMode && !QueryFactoryRows(values)) {
    file.cancelWriting();
    Warn(&window_,
         QStringLiteral("Couldn't read the factory settings from the camera.\n"
                        "No file was written."),
         QString::fromLatin1(kAppCaption));
    return false;
  }
  return Commit(file,
                ParameterLines(context_.parameters, TheCommandTable(), values, /*factory*/ true));
}

bool SettingFileOperations::ReadCameraFile(QWidget* owner, const QString& path) {
  // Read whole first: a FIFO, a device or a failing medium is refused here,
  // before anything goes to the camera, and never holds up the window.
  const std::string name = QFile::encodeName(path).toStdString();
  std::string bytes;
  FileReadError error = FileReadError::kNone;
  if (!ReadDataFile(name, /*regularOnly*/ true, bytes, error)) {
    Warn(owner, QFile::decodeName(DataFileErrorText(name, error).c_str()),
         QStringLiteral("File Open Error"));
    return false;
  }
  CProgressBarDialog& progress = context_.ui.GetProgressBar();
  SettingFileResult result;
  {
    // No window takes the operator's input while lines go out.
    DisabledDialogs disabled(context_.ui.GetRegistry());
    progress.Open(owner, QString::fromLatin1(kReadingMessage));
    SettingFileHooks hooks;
    hooks.progress = [&progress](int done, int count) {
      progress.SetPos(SettingFilePercent(done, count));
      PumpPendingEvents();
    };
    hooks.identifyModel = [this] {
      ProbeCamera(context_.command, context_.ui, context_.cameraModel);
    };
    // The model and device lines go as they stand, whatever the control mode.
    SettingFileScope scope;
    scope.factoryRows = context_.controlMode.GetControlMode() != kUserMode;
    SettingFileApplier applier(context_.command, context_.parameters, scope, hooks);
    result = applier.Apply(bytes);

    PageBinding& binding = window_.Binding();
    binding.PutAllValues();
    context_.parameters.SnapshotValues();
    progress.Close();
    binding.ApplyEnablingRules();
    binding.UpdateLineRateLabels();
  }
  // Each refusal has had its box already; this says what it meant for the file.
  if (const std::string text = NotAcceptedText(result); !text.empty()) {
    Warn(owner, QString::fromStdString(text), QString::fromLatin1(kAppCaption));
  }
  return true;
}

}  // namespace cct
