#pragma once

#include <cstdint>
#include <span>

namespace cct {

enum class MenuEntryKind : uint8_t {
  Popup,  // opens a submenu; the entries up to its End belong to it
  Item,   // sends its command id
  Separator,
  End,
};

struct MenuEntry {
  MenuEntryKind kind;
  const char* text;
  int32_t commandId;
};

// The main window's menu bar (menu resource 600).
std::span<const MenuEntry> MainMenuTemplate();

// Command ids of the main menu.
inline constexpr int32_t kCmdEditUserId = 30000;
inline constexpr int32_t kCmdAbout = 30001;
inline constexpr int32_t kCmdReload = 30002;
inline constexpr int32_t kCmdStoreSettings = 30003;
inline constexpr int32_t kCmdLoadSettings = 30004;
inline constexpr int32_t kCmdEditCameraId = 30005;
inline constexpr int32_t kCmdOpenLutFile = 30006;
inline constexpr int32_t kCmdSaveLutFile = 30007;
inline constexpr int32_t kCmdOpenCameraFile = 30008;
inline constexpr int32_t kCmdLoadAllLutTables = 30009;
inline constexpr int32_t kCmdOpenCommunication = 30010;
inline constexpr int32_t kCmdSaveAllData = 30011;
inline constexpr int32_t kCmdSaveShippingData = 30012;

}  // namespace cct
