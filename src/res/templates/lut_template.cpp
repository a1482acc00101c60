#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

constexpr const char* kTableTypes[] = {"Liner", "0.6", "0.45", "Gamma", "LUT"};
constexpr uint32_t kButton = kVisible | kTabStop;
// Kept for files and tables that name them, never shown nor enabled.
constexpr uint32_t kNeverShown = kDisabled;

// The graph sits right of the groups, the axis levels along its left and
// bottom edges, all in dialog units, so nothing overlaps at any font size.
constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::GroupBox, "Current Mode Status", 4, 11, 80, 28, kVisible},
    {kIdcLutEditMode, ControlKind::Static, "Edit Mode", 14, 24, 62, 8, kVisible | kCenter},

    {kNoControlId, ControlKind::GroupBox, "Operation", 4, 48, 80, 97, kVisible},
    {kIdcLutEditRead, ControlKind::PushButton, "Read Table Data", 10, 60, 67, 14, kButton},
    {kIdcLutEditWrite, ControlKind::PushButton, "Write Table Data", 10, 80, 67, 14, kButton},
    {kIdcLutEditClear, ControlKind::PushButton, "Clear Table Data", 10, 99, 68, 14, kButton},
    {kIdcLutEditAllTables, ControlKind::PushButton, "Write This Setting To All Other Color Tables",
     7, 117, 74, 20, kNeverShown | kMultiLine},

    {kNoControlId, ControlKind::GroupBox, "Change To Edit Mode", 4, 150, 79, 54, kVisible},
    {kNoControlId, ControlKind::Static, "Edit Point\nCount To Add", 7, 163, 47, 16,
     kVisible | kMultiLine},
    {kIdcLutEditCount, ControlKind::Edit, "", 54, 163, 19, 15, kVisible | kReadOnly | kCenter},
    {kIdcLutEditSpin, ControlKind::UpDown, "", 73, 163, 10, 15,
     kVisible | kAutoBuddy | kSetBuddyInt | kArrowKeys},
    {kIdcLutEditConvert, ControlKind::PushButton, "Convert Editable", 9, 184, 68, 14, kButton},

    {kNoControlId, ControlKind::Static, "4095", 94, 10, 20, 8, kVisible | kRight},
    {kNoControlId, ControlKind::Static, "2048", 94, 88, 20, 8, kVisible | kRight},
    {kNoControlId, ControlKind::Static, "0", 94, 166, 20, 8, kVisible | kRight},
    {kIdcLutEditGraph, ControlKind::Custom, "", 118, 10, 164, 164, kVisible | kSunken},
    {kNoControlId, ControlKind::Static, "0", 114, 177, 10, 8, kVisible | kCenter},
    {kNoControlId, ControlKind::Static, "128", 190, 177, 20, 8, kVisible | kCenter},
    {kNoControlId, ControlKind::Static, "255", 268, 177, 20, 8, kVisible | kCenter},

    {kIdcLutEditTableType, ControlKind::ComboBox, "Table Type", 303, 54, 60, 70,
     kNeverShown | kVScroll, 0, kTableTypes},
    {kNoControlId, ControlKind::GroupBox, "Usage Descritption", 291, 88, 82, 115, kVisible},
    // Each help text keeps its own line breaks; the window sets a smaller font.
    {kIdcLutEditHelpAdd, ControlKind::Static,
     "<< Add edit point >>\n  Left mouse click\n  on LUT line", 294, 100, 78, 26, kVisible},
    {kIdcLutEditHelpDelete, ControlKind::Static,
     "<< Delete edit point >>\n  Right mouse click\n  at edit point", 294, 130, 78, 26, kVisible},
    {kIdcLutEditHelpMove, ControlKind::Static,
     "<< Move LUT line >>\n  Move with keeping left\n  mouse click on\n  edit point.", 294, 160, 78,
     36, kVisible},

    {kIdcLutStatus, ControlKind::Picture, "", 4, 218, 369, 6, kVisible, kIdbOffline},
};
}  // namespace

const DialogTemplate kLut = {
    kIddLut, "LUT Setting", 378, 233, dlg::kCaption | dlg::kSysMenu | dlg::kMinimizeBox, kControls};

}  // namespace cct::templates
