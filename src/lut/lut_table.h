#pragma once

#include <array>
#include <cstdint>

namespace cct {

// The camera's look-up table: 256 entries of 12-bit output levels. Entry k
// stands for the input level 16 k (the last for 4095).
inline constexpr int kLutEntries = 256;
inline constexpr uint32_t kLutMaxLevel = 4095;

using LutTable = std::array<uint32_t, kLutEntries>;

// The tables of the three editors, one per colour; a monochrome camera uses
// the green one only.
struct GammaTables {
  LutTable red{};
  LutTable green{};
  LutTable blue{};
};

}  // namespace cct
