#include "res/templates/menu_template.h"

#include "res/templates/resource_ids.h"

namespace cct {

namespace {
using K = MenuEntryKind;

constexpr MenuEntry kMainMenu[] = {
    {K::Popup, "File(&F)", 0},
    {K::Item, "&Open", kCmdOpenCameraFile},
    {K::Popup, "&Save as", 0},
    {K::Item, "All Data", kCmdSaveAllData},
    {K::Item, "Shipping Data", kCmdSaveShippingData},
    {K::End, nullptr, 0},
    {K::Separator, nullptr, 0},
    {K::Item, "E&xit", kIdCancel},
    {K::End, nullptr, 0},

    {K::Popup, "Settings(&S)", 0},
    {K::Item, "&Reload", kCmdReload},
    {K::Separator, nullptr, 0},
    {K::Item, "&Load settings", kCmdLoadSettings},
    {K::Item, "&Store settings", kCmdStoreSettings},
    {K::End, nullptr, 0},

    {K::Popup, "Utility(&U)", 0},
    {K::Item, "Edit user id", kCmdEditUserId},
    {K::Item, "Edit camera id", kCmdEditCameraId},
    {K::End, nullptr, 0},

    {K::Popup, "LUT(&L)", 0},
    {K::Item, "&Open LUT file", kCmdOpenLutFile},
    {K::Item, "&Save LUT file", kCmdSaveLutFile},
    {K::Separator, nullptr, 0},
    {K::Item, "&Load all LUT table", kCmdLoadAllLutTables},
    {K::End, nullptr, 0},

    {K::Popup, "Help(&H)", 0},
    {K::Item, "&About this application", kCmdAbout},
    {K::Item, "&Open Communication", kCmdOpenCommunication},
    {K::End, nullptr, 0},
};
}  // namespace

std::span<const MenuEntry> MainMenuTemplate() {
  return kMainMenu;
}

}  // namespace cct
