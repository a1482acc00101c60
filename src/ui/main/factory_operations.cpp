// The calibration and factory buttons of the pages: the camera's six
// recalibrations, the model name, the XML version and the camera reset.
#include <QComboBox>
#include <QLineEdit>

#include <array>
#include <string>

#include "protocol/command.h"
#include "protocol/command_table.h"
#include "protocol/recalibration.h"
#include "res/templates/page_ids.h"
#include "serial/camera_model.h"
#include "ui/kit/busy_cursor.h"
#include "ui/kit/event_pump.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/ui_host.h"

namespace cct {

namespace {

struct RecalibrationButton {
  int buttonId;
  RecalibrationCommands commands;
  const char* caption;
};

constexpr std::array<RecalibrationButton, 6> kRecalibrations = {{
    {kIdcRecalShading, {kCmdSDR, 20000, kCmdSDS}, "Recalibrate FFC (User)"},
    {kIdcRecalPixelGain, {kCmdPGR, 100000, kCmdPGS}, "Recalibrate Pixel Gain (User)"},
    {kIdcRecalPixelBlack, {kCmdPBR, 100000, kCmdPBS}, "Recalibrate Pixel Black (User)"},
    {kIdcFactoryRecalShading, {kCmdSDR00, 100000, kCmdSDS00}, "Recalibrate FFC (Factory)"},
    {kIdcFactoryRecalPixelGain, {kCmdPGR00, 100000, kCmdPGS00}, "Recalibrate Pixel Gain (Factory)"},
    {kIdcFactoryRecalPixelBlack,
     {kCmdPBR00, 100000, kCmdPBS00},
     "Recalibrate Pixel Black (Factory)"},
}};

constexpr uint32_t kModelWriteMs = 10000;
constexpr uint32_t kXmlQueryMs = 5000;
constexpr uint32_t kXmlWriteMs = 10000;
constexpr uint32_t kResetMs = 1000;
constexpr std::array<int, 3> kXmlFields = {kIdcXmlVersion1, kIdcXmlVersion2, kIdcXmlVersion3};

}  // namespace

void CCtrlToolDlg::Recalibrate(int buttonId) {
  const RecalibrationButton* row = nullptr;
  for (const RecalibrationButton& candidate : kRecalibrations) {
    if (candidate.buttonId == buttonId) row = &candidate;
  }
  if (!row) return;
  std::string result;
  bool ran = false;
  {
    // The camera works for up to minutes; the windows keep painting, and
    // the operator's input waits for the result.
    BusyCursor::Scope busy;
    Recalibration recalibration(context_.command, context_.command.GetClock(),
                                context_.timing.calibrationPauseMs,
                                [](uint32_t ms) { HoldFor(ms); });
    ran = recalibration.Run(row->commands, result);
  }
  if (ran) {
    Ui().GetPrompter().MessageBox(this, QString::fromStdString(result),
                                  QString::fromLatin1(row->caption), MsgIcon::None);
  }
}

void CCtrlToolDlg::WriteModelId() {
  Prompter& prompter = Ui().GetPrompter();
  const auto* list = qobject_cast<QComboBox*>(FindControl(kIdcCameraModel));
  const int model = list ? list->currentIndex() : -1;
  const QString failed = QStringLiteral("Failed writting camera model id.");
  if (!IsKnownModel(model)) {
    prompter.MessageBox(this, failed, QString::fromLatin1(kAppCaption), MsgIcon::Error);
    return;
  }
  if (!context_.command.SendText(kCmdMD00, kModelNames[model], kModelWriteMs)) {
    prompter.MessageBox(this, failed, QString::fromLatin1(kAppCaption), MsgIcon::Error);
    return;
  }
  ProbeCamera(context_.command, context_.ui, context_.cameraModel);
  prompter.MessageBox(this, QStringLiteral("Succeeded in writting camera model id."),
                      QString::fromLatin1(kAppCaption), MsgIcon::Information);
}

void CCtrlToolDlg::ReadXmlVersion() {
  int32_t version = -1;
  // A failed query or an answer that is no three-digit version leaves the
  // fields as they are.
  if (!context_.command.QueryValue(kCmdXMLVR, version, kXmlQueryMs)) return;
  if (version < 0 || version > 999) return;
  const std::array<int32_t, 3> digits = {version / 100, version % 100 / 10, version % 10};
  for (size_t i = 0; i < kXmlFields.size(); ++i) {
    if (auto* field = qobject_cast<QLineEdit*>(FindControl(kXmlFields[i]))) {
      field->setText(QString::number(digits[i]));
    }
  }
}

void CCtrlToolDlg::WriteXmlVersion() {
  Prompter& prompter = Ui().GetPrompter();
  const QString failed = QStringLiteral("Couldn't write the XML Version.");
  // The first character of each field makes one digit of the version; a
  // field that does not start with one would make another number than shown.
  int32_t version = 0;
  for (int id : kXmlFields) {
    const auto* field = qobject_cast<QLineEdit*>(FindControl(id));
    const QChar first = field && !field->text().isEmpty() ? field->text().front() : QChar();
    if (first < QLatin1Char('0') || first > QLatin1Char('9')) {
      prompter.MessageBox(this, failed, QString::fromLatin1(kAppCaption), MsgIcon::Error);
      return;
    }
    version = version * 10 + (first.unicode() - '0');
  }
  if (context_.command.SendValue(kCmdXMLVR, version, kXmlWriteMs)) {
    prompter.MessageBox(this, QStringLiteral("Writing the XML Version has been completed."),
                        QString::fromLatin1(kAppCaption), MsgIcon::Information);
  } else {
    prompter.MessageBox(this, failed, QString::fromLatin1(kAppCaption), MsgIcon::Error);
  }
}

void CCtrlToolDlg::ResetCamera() {
  // The camera restarts on its side whatever it answered; the tool ends
  // without asking, as its settings no longer match the camera's.
  context_.command.SendValue(kCmdCRS00, 1, kResetMs);
  SetClosingAfterReset();
  reject();
}

}  // namespace cct
