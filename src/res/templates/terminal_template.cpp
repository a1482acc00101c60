#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

constexpr ControlTemplate kControls[] = {
    {kIdcTermCommand, ControlKind::Edit, "", 6, 8, 255, 14,
     kVisible | kTabStop | kAutoHScroll | kSunken},
    {kIdcTermClose, ControlKind::PushButton, "Close", 264, 7, 32, 15, kVisible | kTabStop},
    {kIdcTermSend, ControlKind::PushButton, "Send", 264, 25, 32, 15,
     kVisible | kTabStop | kDefault},
    {kIdcTermList, ControlKind::LogList, "", 6, 26, 255, 169,
     kVisible | kVScroll | kNoSelection | kSunken},
    {kIdcTermClear, ControlKind::PushButton, "Clear", 264, 42, 32, 15, kVisible | kTabStop},
    {kIdcTermSave, ControlKind::PushButton, "Save", 264, 60, 32, 15, kVisible | kTabStop},
    {kIdcTerminalStatus, ControlKind::Picture, "", 3, 199, 298, 5, kVisible, kIdbOffline},
};
}  // namespace

const DialogTemplate kTerminal = {
    kIddTerminal,
    "RS-232C TERMINAL",
    304,
    207,
    dlg::kCaption | dlg::kSysMenu | dlg::kMinimizeBox | dlg::kThickFrame,
    kControls};

}  // namespace cct::templates
