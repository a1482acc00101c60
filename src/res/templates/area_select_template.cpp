#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

// The list's items are the window's to fill: they depend on store or load.
constexpr ControlTemplate kControls[] = {
    {kIdcAreaSelectPrompt, ControlKind::Static, "", 7, 8, 161, 9, kVisible | kCenter},
    {kIdcAreaSelectList, ControlKind::ComboBox, "", 47, 22, 74, 60, kVisible | kTabStop | kVScroll},
    {kNoControlId, ControlKind::Static, "", 5, 43, 162, 1, kVisible | kSunken},
    {kIdOk, ControlKind::PushButton, "OK", 25, 49, 50, 14, kVisible | kTabStop | kDefault},
    {kIdCancel, ControlKind::PushButton, "Cancel", 100, 49, 50, 14, kVisible | kTabStop},
    {kIdcAreaSelectStatus, ControlKind::Picture, "", 2, 68, 172, 5, kVisible, kIdbOffline},
};
}  // namespace

const DialogTemplate kAreaSelect = {
    kIddAreaSelect, "Parameter Flash Area Select", 175, 76, dlg::kCaption | dlg::kSysMenu,
    kControls};

}  // namespace cct::templates
