#include "ui/lut/lut_table_operations.h"

#include <QFile>
#include <QSaveFile>

#include "lut/data_file_read.h"
#include "lut/gamma_csv.h"
#include "serial/camera_model.h"
#include "ui/lut/lut_dlg.h"
#include "ui/lut/lut_transfer.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/file_choice.h"
#include "ui/main/ui_host.h"

namespace cct {

namespace {

// The LUT files keep no folder of their own: the dialog starts in the
// working directory every time.
constexpr int kNoFolderPreference = -1;
constexpr int kGreen = 1;

FileChoice GammaFileChoice(bool save) {
  FileChoice choice;
  choice.save = save;
  choice.folderPreference = kNoFolderPreference;
  choice.defaultSuffix = QStringLiteral("csv");
  // The save dialog's filter has always read so.
  choice.filter = {save ? QStringLiteral("Camera gamm data (*.csv)")
                        : QStringLiteral("Camera gamma data (*.csv)"),
                   QStringLiteral("*.csv")};
  return choice;
}

}  // namespace

LutTableOperations::LutTableOperations(CCtrlToolDlg& window, const UiContext& context)
    : window_(window), context_(context) {}

bool LutTableOperations::KnownModel() const {
  return IsKnownModel(context_.cameraModel.modelIndex);
}

std::vector<CLUTDlg*> LutTableOperations::Editors() const {
  if (KnownModel()) return {&window_.LutEditor(kGreen)};
  return {&window_.LutEditor(0), &window_.LutEditor(1), &window_.LutEditor(2)};
}

void LutTableOperations::Error(const QString& text) {
  context_.ui.GetPrompter().MessageBox(&window_, text, QString::fromLatin1(kAppCaption),
                                       MsgIcon::Error);
}

bool LutTableOperations::LoadAllTables() {
  window_.setEnabled(false);
  bool all = true;
  for (CLUTDlg* editor : Editors()) {
    all = LutTransfer(context_).ReadTable(*editor);
    if (!all) break;
  }
  window_.setEnabled(true);
  return all;
}

void LutTableOperations::OpenLutFile() {
  const QString path =
      ChooseFile(context_.ui.GetPrompter(), context_.preferences, &window_, GammaFileChoice(false));
  if (!path.isEmpty()) ReadGammaCsv(path);
}

void LutTableOperations::SaveLutFile() {
  // The file holds the tables as the camera has them, not unsent edits; a
  // failed read has been reported by the exchange.
  if (!LoadAllTables()) return;
  const QString path =
      ChooseFile(context_.ui.GetPrompter(), context_.preferences, &window_, GammaFileChoice(true));
  if (!path.isEmpty()) WriteGammaCsv(path);
}

bool LutTableOperations::WriteGammaCsv(const QString& path) {
  std::string text;
  if (KnownModel()) {
    text = GammaCsvSingleColumn(window_.LutEditor(kGreen).Table());
  } else {
    text = GammaCsvThreeColumns(
        {window_.LutEditor(0).Table(), window_.LutEditor(1).Table(), window_.LutEditor(2).Table()});
  }
  // Written whole into a temporary file that takes the old one's place only
  // at the end: a failure leaves the previous file.
  QSaveFile file(path);
  const QByteArray bytes = QByteArray::fromStdString(text);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
    return true;
  }
  file.cancelWriting();
  Error(path + QStringLiteral("\nCouldn't open this file"));
  return false;
}

bool LutTableOperations::ReadGammaCsv(const QString& path) {
  // Read whole first: a FIFO, a device or a failing medium is refused here
  // and never holds up the window.
  const std::string name = QFile::encodeName(path).toStdString();
  std::string bytes;
  FileReadError error = FileReadError::kNone;
  if (!ReadDataFile(name, /*regularOnly*/ true, bytes, error)) {
    Error(QFile::decodeName(DataFileErrorText(name, error).c_str()));
    return false;
  }
  const GammaTables current{window_.LutEditor(0).Table(), window_.LutEditor(1).Table(),
                            window_.LutEditor(2).Table()};
  const GammaCsvResult result = cct::ReadGammaCsv(bytes, current);
  if (const std::string clip = GammaCsvClipText(result); !clip.empty()) {
    Error(QString::fromStdString(clip));
  }
  if (result.error != GammaCsvError::kNone) {
    Error(QString::fromStdString(GammaCsvErrorText(result)));
    return false;
  }
  // Accepted whole: every editor shows its table as the file has it.
  window_.LutEditor(0).ShowTable(result.tables.red);
  window_.LutEditor(1).ShowTable(result.tables.green);
  window_.LutEditor(2).ShowTable(result.tables.blue);
  return true;
}

}  // namespace cct
