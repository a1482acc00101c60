#pragma once

#include <cstdint>

namespace cct {

class Command;

// The camera keeps complete sets of its settings in four flash areas: area 0
// is the factory area, 1 to 3 are the user areas. Any other number is none.
inline constexpr int kFlashAreaCount = 4;
bool IsFlashArea(int area);

// How long the camera may take to answer a store into, or a load from, an
// area: writing a whole set of settings into flash takes it a while.
inline constexpr uint32_t kFlashStoreLimitMs = 40000;
inline constexpr uint32_t kFlashLoadLimitMs = 10000;

// Stores the camera's running settings into a flash area: "SA00" with 0 for
// the factory area, "SA" with the area for a user area. False without
// sending anything for no area.
bool StoreFlashArea(Command& command, int area, uint32_t limitMs);

// Loads a flash area into the camera ("LD"); false without sending for no area.
bool LoadFlashArea(Command& command, int area, uint32_t limitMs);

}  // namespace cct
