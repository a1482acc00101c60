// The push buttons of the pages and the line-rate labels.
#include <QLineEdit>

#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "res/templates/page_ids.h"
#include "ui/kit/quiet_setters.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/page_binding.h"
#include "ui/main/page_binding_limits.h"

namespace cct {

namespace {

// What a read-out label shows while its value is not known.
constexpr char kUnknown[] = "-";

// An edit box's text read as a decimal integer; 0 without the edit.
int32_t EditNumber(const CCtrlToolDlg& window, int ctrlId) {
  const auto* edit = qobject_cast<const QLineEdit*>(window.FindControl(ctrlId));
  return edit ? ReadDecimal(edit->text().toStdString()) : 0;
}

}  // namespace

void PageBinding::OnPushButton(int ctrlId) {
  switch (ctrlId) {
    case kIdcOnePush:
      OnePush();
      break;
    case kIdcReadLineRateMinLimit:
      ReadLineRateMinLimit();
      break;
    case kIdcReadExposureLimits:
      ReadExposureLimits();
      break;
    case kIdcGetTemperature:
      GetTemperature();
      break;
    case kIdcLutRead:
      ReadLutEntry();
      break;
    case kIdcLutWrite:
      WriteLutEntry();
      break;
    case kIdcOpenLutTable:
      window_.ShowLutEditors();
      break;
    case kIdcRecalShading:
    case kIdcRecalPixelGain:
    case kIdcRecalPixelBlack:
    case kIdcFactoryRecalShading:
    case kIdcFactoryRecalPixelGain:
    case kIdcFactoryRecalPixelBlack:
      window_.Recalibrate(ctrlId);
      break;
    case kIdcSetCameraModel:
      window_.WriteModelId();
      break;
    case kIdcXmlRead:
      window_.ReadXmlVersion();
      break;
    case kIdcXmlWrite:
      window_.WriteXmlVersion();
      break;
    case kIdcCameraReset:
      window_.ResetCamera();
      break;
    case kIdcTerminal:
      window_.ShowTerminal();
      break;
    case kIdcStoreAll:
      window_.StoreAll();
      break;
    default:
      break;
  }
}

void PageBinding::OnePush() {
  context_.command.SendValue(kCmdAR, 0, limits::kOnePushMs);
  ReReadOneValue(kIdcLineRate);
  UpdateLineRateLabels();
}

void PageBinding::ReadLineRateMinLimit() {
  int32_t limit = 0;
  if (context_.command.QueryValue(kCmdARMIN, limit, limits::kQueryMs)) {
    SetText(kIdcLineRateMinLimit, "%d", limit);
  } else if (QWidget* label = window_.FindControl(kIdcLineRateMinLimit)) {
    SetTextQuietly(label, QString::fromLatin1(kUnknown));
  }
}

void PageBinding::ReadExposureLimits() {
  const struct {
    int cmdId;
    int labelId;
  } limitsToRead[] = {{kCmdPEMAX, kIdcExposureMaxLimit}, {kCmdPEMIN, kIdcExposureMinLimit}};
  for (const auto& entry : limitsToRead) {
    int32_t limit = 0;
    if (context_.command.QueryValue(entry.cmdId, limit, limits::kQueryMs)) {
      SetText(entry.labelId, "%d", limit);
    } else if (QWidget* label = window_.FindControl(entry.labelId)) {
      SetTextQuietly(label, QString::fromLatin1(kUnknown));
    }
  }
}

void PageBinding::GetTemperature() {
  int32_t temperature = 0;
  if (context_.command.QueryValue(kCmdTMP0, temperature, limits::kTemperatureMs)) {
    SetText(kIdcTemperature, "%d", temperature);
  }
}

void PageBinding::ReadLutEntry() {
  const int32_t index = EditNumber(window_, kIdcLutIndex);
  // Without the index set, the camera would answer another entry's data.
  if (!context_.command.SendValue(kCmdLUTI, index, limits::kLutEntryMs)) return;
  int32_t data = 0;
  if (!context_.command.QueryValue(kCmdLUTD, data, limits::kLutEntryMs)) return;
  SetText(kIdcLutData, "%d", data);
  context_.parameters.SetDataValue(kIdcLutData, data);
  context_.parameters.SnapshotValues();
}

void PageBinding::WriteLutEntry() {
  const int32_t index = EditNumber(window_, kIdcLutIndex);
  const int32_t data = EditNumber(window_, kIdcLutData);
  context_.command.SendValue(kCmdLUTI, index, limits::kLutEntryMs);
  context_.command.SendValue(kCmdLUTD, data, limits::kLutEntryMs);
}

void PageBinding::UpdateLineRateLabels() {
  // The line rate counts in units of 10 ns.
  const double rate = context_.parameters.GetDataValue(kIdcLineRate);
  if (QWidget* period = window_.FindControl(kIdcLinePeriod)) {
    SetTextQuietly(period, QString::asprintf("%.2fus", rate / 100.0));
  }
  if (QWidget* frequency = window_.FindControl(kIdcLineFrequency)) {
    // A line period of 0 has no frequency.
    SetTextQuietly(frequency, rate > 0 ? QString::asprintf("%.4fhz", 1.0 / (rate / 100000000.0))
                                       : QString::fromLatin1(kUnknown));
  }
}

}  // namespace cct
