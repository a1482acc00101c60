// The camera's flash areas: their names and commands, and the main window's
// "&Store settings", "&Load settings" and "Store All".
#include "ui/main/flash_areas.h"

#include <array>

#include "protocol/command.h"
#include "protocol/command_table.h"
#include "ui/kit/event_pump.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/parameter_area_select_dialog.h"
#include "ui/main/ui_host.h"

namespace cct {

namespace {

constexpr std::array<const char*, kFlashAreaCount> kSelectNames = {"Factory", "User 1", "User 2",
                                                                   "User 3"};
constexpr std::array<const char*, kFlashAreaCount> kDataNames = {"Factory Data", "User 1 Data",
                                                                 "User 2 Data", "User 3 Data"};
constexpr char kUnknownArea[] = "Unkown";

constexpr uint32_t kStoreSettingsMs = 8000;
constexpr uint32_t kLoadSettingsMs = 10000;
constexpr uint32_t kStoreAllMs = 10000;

int AreaOfName(const std::array<const char*, kFlashAreaCount>& names, const QString& name) {
  for (int area = 0; area < kFlashAreaCount; ++area) {
    if (name == QLatin1String(names[area])) return area;
  }
  return -1;
}

}  // namespace

QString AreaSelectName(int area) {
  return QString::fromLatin1(IsFlashArea(area) ? kSelectNames[area] : kUnknownArea);
}

int AreaOfSelectName(const QString& name) {
  return AreaOfName(kSelectNames, name);
}

QString AreaDataName(int area) {
  return QString::fromLatin1(IsFlashArea(area) ? kDataNames[area] : kUnknownArea);
}

int AreaOfDataName(const QString& name) {
  return AreaOfName(kDataNames, name);
}

void ShowInvalidArea(Prompter& prompter, QWidget* owner) {
  prompter.MessageBox(owner, QStringLiteral("Selected invalid area !"),
                      QString::fromLatin1(kAppCaption), MsgIcon::Error);
}

bool CCtrlToolDlg::SelectArea(int mode, int& area) {
  CParameterAreaSelectDialog dialog(mode, Ui(), context_.controlMode);
  if (!dialog.Create(this) || dialog.exec() != QDialog::Accepted) return false;
  area = dialog.SelectedArea();
  return true;
}

bool CCtrlToolDlg::ChooseFlashArea(int mode, int& area) {
  area = -1;
  if (!SelectArea(mode, area)) return false;
  currentArea_ = area;
  if (IsFlashArea(area)) return true;
  ShowInvalidArea(Ui().GetPrompter(), this);
  return false;
}

void CCtrlToolDlg::StoreSettings() {
  int area = -1;
  if (!ChooseFlashArea(CParameterAreaSelectDialog::kStore, area)) return;
  // A failed store has been reported by the exchange itself.
  if (StoreFlashArea(context_.command, area, kStoreSettingsMs)) {
    Ui().GetPrompter().MessageBox(this, QStringLiteral("Completed saving current setting data !"),
                                  QString::fromLatin1(kAppCaption), MsgIcon::Information);
  }
}

void CCtrlToolDlg::LoadSettings() {
  int area = -1;
  if (!ChooseFlashArea(CParameterAreaSelectDialog::kLoad, area)) return;
  if (LoadFlashArea(context_.command, area, kLoadSettingsMs)) FullRead();
}

void CCtrlToolDlg::StoreAll() {
  Prompter& prompter = Ui().GetPrompter();
  if (prompter.MessageBox(
          this, QStringLiteral("Are you sure you want to overwrite into all EEPROM areas?"),
          QString::fromLatin1(kAppCaption), MsgIcon::Question,
          MsgButtons::YesNo) != MsgResult::Yes) {
    return;
  }
  // Every area is tried, also after one failed; the operator hears once.
  int failures = 0;
  for (int area = kFlashAreaCount - 1; area >= 0; --area) {
    HoldFor(context_.timing.storeAllGapMs);
    if (!StoreFlashArea(context_.command, area, kStoreAllMs)) ++failures;
  }
  if (failures == 0) {
    prompter.MessageBox(this, QStringLiteral("Completed to store current setting data!"),
                        QString::fromLatin1(kAppCaption), MsgIcon::Information);
  } else {
    prompter.MessageBox(this, QStringLiteral("Couldn't store current setting data!"),
                        QString::fromLatin1(kAppCaption), MsgIcon::Warning);
  }
}

}  // namespace cct
