#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

constexpr ControlTemplate kControls[] = {
    {kIdcProgressMessage, ControlKind::Static, "Message", 7, 15, 168, 21, kVisible | kMultiLine},
    {kIdcProgressBar, ControlKind::ProgressBar, "", 8, 45, 165, 15, kVisible},
};
}  // namespace

// No caption: a plain framed box.
const DialogTemplate kProgress = {kIddProgress, "", 182, 78, dlg::kBorder, kControls};

}  // namespace cct::templates
