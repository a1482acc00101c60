#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

constexpr ControlTemplate kControls[] = {
    {kIdcLutStatus, ControlKind::Picture, "", 4, 218, 369, 6, kVisible, kIdbOffline},
};
}  // namespace

const DialogTemplate kLut = {
    kIddLut, "LUT Setting", 378, 233, dlg::kCaption | dlg::kSysMenu | dlg::kMinimizeBox, kControls};

}  // namespace cct::templates
