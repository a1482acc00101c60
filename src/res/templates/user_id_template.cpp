#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::Static, "User ID", 8, 13, 34, 9, kVisible},
    {kIdcUserIdEdit, ControlKind::Edit, "", 44, 11, 96, 12, kVisible | kTabStop | kAutoHScroll},
    {kIdcUserIdSave, ControlKind::PushButton, "Save", 148, 10, 44, 14, kVisible | kTabStop},
    {kIdcUserIdStatus, ControlKind::Picture, "", 2, 43, 196, 5, kVisible, kIdbOffline},
};
}  // namespace

const DialogTemplate kUserId = {kIddUserId, "User Id", 200, 51, dlg::kCaption | dlg::kSysMenu,
                                kControls};

}  // namespace cct::templates
