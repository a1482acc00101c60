#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

// One character per edit, left to right in this order.
constexpr uint32_t kChar = kVisible | kTabStop | kCenter;

constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::GroupBox, "Camera Id", 5, 3, 187, 35, kVisible},
    {kIdcCameraId1, ControlKind::Edit, "", 12, 17, 12, 13, kChar},
    {kIdcCameraId2, ControlKind::Edit, "", 26, 17, 12, 13, kChar},
    {kIdcCameraId3, ControlKind::Edit, "", 40, 17, 12, 13, kChar},
    {kIdcCameraId4, ControlKind::Edit, "", 54, 17, 12, 13, kChar},
    {kIdcCameraId5, ControlKind::Edit, "", 68, 17, 12, 13, kChar},
    {kIdcCameraId6, ControlKind::Edit, "", 82, 17, 12, 13, kChar},
    {kIdcCameraId7, ControlKind::Edit, "", 96, 17, 12, 13, kChar},
    {kIdcCameraId8, ControlKind::Edit, "", 110, 17, 12, 13, kChar},
    {kIdcCameraId9, ControlKind::Edit, "", 124, 17, 12, 13, kChar},
    {kIdcCameraId10, ControlKind::Edit, "", 138, 17, 12, 13, kChar},
    {kIdcCameraIdSave, ControlKind::PushButton, "Save", 156, 16, 30, 14, kVisible | kTabStop},
    {kIdcCameraIdStatus, ControlKind::Picture, "", 2, 43, 193, 5, kVisible, kIdbOffline},
};
}  // namespace

const DialogTemplate kCameraId = {kIddCameraId, "Camera Id", 197, 51, dlg::kCaption | dlg::kSysMenu,
                                  kControls};

}  // namespace cct::templates
