#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

// "Control Tool Body". The template's invisible leftovers (temperature, Bayer
// mode, AFE test settings and the like) are no part of the window and are
// left out.
constexpr ControlTemplate kControls[] = {
    {kIdcMainTab, ControlKind::TabControl, "", 0, 0, 574, 266, kVisible | kTabStop},
    {kIdcMainStatus, ControlKind::Picture, "", 2, 270, 571, 5, kVisible, kIdbOffline},
};
}  // namespace

const DialogTemplate kMain = {
    kIddMain, "Control Tool Body", 574, 278, dlg::kCaption | dlg::kSysMenu | dlg::kMinimizeBox,
    kControls};

}  // namespace cct::templates
