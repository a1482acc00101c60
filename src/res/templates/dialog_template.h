#pragma once

#include <cstdint>
#include <span>

namespace cct {

// The window class of a template control.
enum class ControlKind : uint8_t {
  Edit,
  UpDown,
  ComboBox,
  PushButton,
  CheckBox,
  RadioButton,
  GroupBox,
  Static,
  Picture,  // shows a bitmap or icon resource
  ListBox,
  // A list of log lines shown through a model the window sets; no selection,
  // vertical scroll bar.
  LogList,
  TabControl,
  ProgressBar,
  // A frame the window fills with a control of its own (the LUT graph).
  Custom,
};

// Style bits of a template control; each kind reads the ones that concern it.
namespace ctl {
inline constexpr uint32_t kVisible = 1u << 0;
inline constexpr uint32_t kDisabled = 1u << 1;
inline constexpr uint32_t kTabStop = 1u << 2;
inline constexpr uint32_t kGroup = 1u << 3;     // first button of a radio group
inline constexpr uint32_t kVScroll = 1u << 4;   // list box, log list: vertical scroll bar
inline constexpr uint32_t kReadOnly = 1u << 5;  // edit
inline constexpr uint32_t kNumber = 1u << 6;    // edit: digits only
inline constexpr uint32_t kAutoHScroll = 1u << 7;
inline constexpr uint32_t kCenter = 1u << 8;  // static and edit text alignment
inline constexpr uint32_t kRight = 1u << 9;
inline constexpr uint32_t kSunken = 1u << 10;       // sunken client edge
inline constexpr uint32_t kDefault = 1u << 11;      // push button: the default button
inline constexpr uint32_t kNoSelection = 1u << 12;  // list box
inline constexpr uint32_t kAlignRight = 1u << 13;   // up-down: sits at the buddy's right edge
inline constexpr uint32_t kAutoBuddy = 1u << 14;    // up-down: buddy is the previous control
inline constexpr uint32_t kSetBuddyInt = 1u << 15;  // up-down: shows its position in the buddy
inline constexpr uint32_t kArrowKeys = 1u << 16;    // up-down: arrow keys in the buddy step it
inline constexpr uint32_t kMultiLine = 1u << 17;    // static: wraps its text
}  // namespace ctl

// Window style bits of a template dialog.
namespace dlg {
inline constexpr uint32_t kCaption = 1u << 0;
inline constexpr uint32_t kSysMenu = 1u << 1;
inline constexpr uint32_t kMinimizeBox = 1u << 2;
inline constexpr uint32_t kThickFrame = 1u << 3;  // sizing border
inline constexpr uint32_t kChild = 1u << 4;       // a page inside another window
inline constexpr uint32_t kBorder = 1u << 5;      // thin frame without caption
}  // namespace dlg

inline constexpr int32_t kNoControlId = -1;  // controls no code names

// One control: rectangle in dialog units. For combo boxes the height is that
// of the dropped list; `items` are a list's initial entries; `image` is the
// bitmap or icon resource of a picture.
struct ControlTemplate {
  int32_t id;
  ControlKind kind;
  const char* caption;
  int16_t x, y, cx, cy;
  uint32_t styles;
  int32_t image = 0;
  std::span<const char* const> items = {};
};

// One dialog: client size in dialog units, caption, style, controls in
// creation (tab) order.
struct DialogTemplate {
  int32_t id;
  const char* caption;
  int16_t cx, cy;
  uint32_t styles;
  std::span<const ControlTemplate> controls;
};

// The template with that id; nullptr when there is none.
const DialogTemplate* FindDialogTemplate(int32_t id);

}  // namespace cct
