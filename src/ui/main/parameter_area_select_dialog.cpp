#include "ui/main/parameter_area_select_dialog.h"

#include <QComboBox>
#include <QLabel>

#include "app/control_mode.h"
#include "res/templates/resource_ids.h"
#include "ui/main/flash_areas.h"

namespace cct {

CParameterAreaSelectDialog::CParameterAreaSelectDialog(int mode, UiHost& ui,
                                                       const ControlModeHolder& controlMode)
    : CStatusDialog(kIddAreaSelect, kIdcAreaSelectStatus, ui),
      mode_(mode),
      controlMode_(controlMode) {}

CParameterAreaSelectDialog::~CParameterAreaSelectDialog() = default;

bool CParameterAreaSelectDialog::OnInitDialog() {
  if (!CStatusDialog::OnInitDialog()) return false;
  auto* list = Item<QComboBox>(kIdcAreaSelectList);
  auto* prompt = Item<QLabel>(kIdcAreaSelectPrompt);
  if (!list || !prompt) return false;
  list->clear();
  // Overwriting the factory area is for factory mode only.
  const bool withFactory = mode_ == kLoad || controlMode_.GetControlMode() == kFactoryMode;
  for (int area = withFactory ? 0 : 1; area < kFlashAreaCount; ++area) {
    list->addItem(AreaSelectName(area));
  }
  list->setCurrentIndex(0);
  if (mode_ == kLoad) {
    setWindowTitle(QStringLiteral("Load setting data"));
    prompt->setText(QStringLiteral("Select the flash memory area to load setting data"));
  } else {
    setWindowTitle(QStringLiteral("Store setting data"));
    prompt->setText(QStringLiteral("Select the flash memory area to save setting data"));
  }
  return true;
}

void CParameterAreaSelectDialog::OnOK() {
  const auto* list = Item<QComboBox>(kIdcAreaSelectList);
  // The item's text names the area, whatever its place in the list.
  selectedArea_ = list ? AreaOfSelectName(list->currentText()) : -1;
  done(QDialog::Accepted);
}

void CParameterAreaSelectDialog::OnControlEvent(ControlEvent& event) {
  if (event.code != ControlEventCode::Clicked) return;
  if (event.ctrlId == kIdOk) OnOK();
  if (event.ctrlId == kIdCancel) reject();
}

}  // namespace cct
