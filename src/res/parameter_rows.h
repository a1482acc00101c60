#pragma once

#include <array>
#include <cstdint>

namespace cct {

// Control kinds of the parameter table.
inline constexpr int32_t kKindComboBox = 4;
inline constexpr int32_t kKindEditSpin = 6;
inline constexpr int32_t kKindPushButton = 7;

// Parameter areas.
inline constexpr int32_t kAreaButton = 0;
inline constexpr int32_t kAreaUser = 1;
inline constexpr int32_t kAreaFactory = 2;

// "No fixed upper limit".
inline constexpr int32_t kNoUpperLimit = 2147483647;

// One bound control: its command, kind, area, range, values and file flag.
struct ParameterRow {
  int32_t ctrlId;
  int32_t cmdId;
  int32_t ctrlKind;
  int32_t spinRange;  // reserved, always 0
  int32_t area;
  int32_t minimum;
  int32_t maximum;
  int32_t current;   // starts at the default
  int32_t previous;  // last value the camera confirmed; starts at 0
  int32_t fileFlag;  // 1: written to and applied from setting files
};

// Rows before the terminating row (control id -1).
inline constexpr int kParameterRowCount = 57;

// The rows in table order followed by the terminating row.
extern const std::array<ParameterRow, kParameterRowCount + 1> kParameterRows;

}  // namespace cct
