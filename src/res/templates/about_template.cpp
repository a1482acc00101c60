#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

constexpr uint32_t kButton = kVisible | kTabStop;
// Camera data only shown: read-only, yet its text can be copied.
constexpr uint32_t kShown = kVisible | kReadOnly | kSunken;
constexpr uint32_t kPart = kVisible | kTabStop | kCenter;

// Labels left, values beside them, buttons on the right of their row; the
// window fills in every text but the labels.
constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::Picture, "", 12, 8, 22, 22, kVisible, kIdiMain},
    {kIdcAboutName, ControlKind::Static, "", 44, 9, 150, 9, kVisible},
    {kNoControlId, ControlKind::Static, "Version:", 44, 21, 36, 9, kVisible},
    {kIdcAboutVersion, ControlKind::Static, "", 82, 21, 40, 9, kVisible},

    {kNoControlId, ControlKind::GroupBox, "Camera Data", 6, 36, 274, 100, kVisible},
    {kNoControlId, ControlKind::Static, "Model Name", 12, 51, 58, 9, kVisible},
    {kIdcAboutModel, ControlKind::Edit, "", 72, 49, 78, 12, kShown},
    {kNoControlId, ControlKind::Static, "Firmware Version", 158, 51, 68, 9, kVisible},
    {kIdcAboutFirmware, ControlKind::Edit, "", 228, 49, 44, 12, kShown | kCenter},
    {kNoControlId, ControlKind::Static, "Camera ID", 12, 67, 58, 9, kVisible},
    {kIdcAboutCameraId, ControlKind::Edit, "", 72, 65, 78, 12, kShown},
    {kNoControlId, ControlKind::Static, "FPGA Version", 158, 67, 68, 9, kVisible},
    {kIdcAboutFpga, ControlKind::Edit, "", 228, 65, 44, 12, kShown | kCenter},

    {kIdcAboutDevVerLabel, ControlKind::Static, "Device Version", 12, 84, 58, 9, kVisible},
    {kIdcAboutDevVer1, ControlKind::Edit, "", 72, 82, 15, 12, kPart},
    {kNoControlId, ControlKind::Static, ".", 87, 84, 5, 9, kVisible | kCenter},
    {kIdcAboutDevVer2, ControlKind::Edit, "", 92, 82, 15, 12, kPart},
    {kNoControlId, ControlKind::Static, ".", 107, 84, 5, 9, kVisible | kCenter},
    {kIdcAboutDevVer3, ControlKind::Edit, "", 112, 82, 15, 12, kPart},
    {kNoControlId, ControlKind::Static, ".", 127, 84, 5, 9, kVisible | kCenter},
    {kIdcAboutDevVer4, ControlKind::Edit, "", 132, 82, 15, 12, kPart},
    {kIdcAboutSaveDevVer, ControlKind::PushButton, "Save Dev Ver", 158, 81, 60, 14, kButton},

    {kNoControlId, ControlKind::Static, "User ID", 12, 102, 58, 9, kVisible},
    {kIdcAboutUserId, ControlKind::Edit, "", 72, 100, 78, 12, kVisible | kTabStop | kAutoHScroll},
    {kIdcAboutSaveUserId, ControlKind::PushButton, "Save User ID", 158, 99, 60, 14,
     kButton | kDisabled},
    {kIdcAboutProtectUserId, ControlKind::RadioButton, "Protect User ID", 72, 118, 78, 10,
     kButton | kGroup},
    {kIdcAboutEditUserId, ControlKind::RadioButton, "Enable To Edit User ID", 158, 118, 114, 10,
     kButton},

    {kNoControlId, ControlKind::GroupBox, "Help", 6, 140, 274, 32, kVisible},
    {kNoControlId, ControlKind::Static, "Help File", 12, 155, 42, 9, kVisible},
    {kIdcAboutHelpList, ControlKind::ComboBox, "", 56, 153, 140, 80,
     kVisible | kTabStop | kVScroll},
    {kIdcAboutViewHelp, ControlKind::PushButton, "View Help File", 204, 152, 68, 14, kButton},

    {kIdcAboutStatus, ControlKind::Picture, "", 2, 177, 282, 5, kVisible, kIdbOffline},
};
}  // namespace

const DialogTemplate kAbout = {kIddAbout, "About This Control",          286,
                               185,       dlg::kCaption | dlg::kSysMenu, kControls};

}  // namespace cct::templates
