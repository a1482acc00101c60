#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace cct {

// One combo-box item: the value sent to and read from the camera, and the
// text the page shows.
struct ComboItem {
  int32_t value;
  const char* text;
};

// The items of one bound combo box, in list order. `assignsValues` marks the
// lists whose items carry their own values (attached to the items when the
// main window starts); the other lists' values are the item positions.
struct ComboList {
  int32_t ctrlId;
  int32_t cmdId;
  bool assignsValues;
  std::span<const ComboItem> items;
};

inline constexpr int kComboListCount = 28;

// In parameter-table order of the combo boxes.
extern const std::array<ComboList, kComboListCount> kComboLists;

// Position of the control's list in kComboLists; -1 when it has none.
int FindComboList(int32_t ctrlId);

}  // namespace cct
