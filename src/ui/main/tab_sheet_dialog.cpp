#include "ui/main/tab_sheet_dialog.h"

#include "res/templates/dialog_template.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_builder.h"
#include "ui/kit/up_down_control.h"
#include "ui/main/ctrl_tool_dlg.h"

namespace cct {

CTabSheetDialog::CTabSheetDialog(int templateId, int factoryOnly, const QString& caption,
                                 CCtrlToolDlg& owner)
    : templateId_(templateId),
      factoryOnly_(factoryOnly),
      caption_(caption),
      owner_(owner),
      units_(font()) {}

CTabSheetDialog::~CTabSheetDialog() {
  // No control event may reach the owner from a page being taken apart.
  delete events_;
}

bool CTabSheetDialog::CreatePage(QWidget* parent) {
  const DialogTemplate* pageTemplate = FindDialogTemplate(templateId_);
  if (created_ || !pageTemplate) return false;
  setParent(parent, Qt::Widget);
  BuildControls(this, *pageTemplate, units_);
  resize(ClientSize(*pageTemplate, units_));
  events_ = new ControlEventSource(this, [this](ControlEvent& event) { owner_.Dispatch(event); });
  created_ = true;
  LinkSpinsToBuddies();
  return true;
}

QWidget* CTabSheetDialog::GetDlgItem(int id) const {
  return FindDlgItem(this, id);
}

void CTabSheetDialog::WireControl(QWidget* control) {
  if (events_) events_->Wire(control);
}

void CTabSheetDialog::LinkSpinsToBuddies() {
  const auto children = findChildren<UpDownControl*>(QString(), Qt::FindDirectChildrenOnly);
  for (UpDownControl* spin : children) {
    if (spin->Buddy()) SetUserData(spin->Buddy(), ControlId(spin));
  }
}

}  // namespace cct
