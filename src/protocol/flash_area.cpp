#include "protocol/flash_area.h"

#include "protocol/command.h"
#include "protocol/command_table.h"

namespace cct {

bool IsFlashArea(int area) {
  return area >= 0 && area < kFlashAreaCount;
}

bool StoreFlashArea(Command& command, int area, uint32_t limitMs) {
  if (!IsFlashArea(area)) return false;
  if (area == 0) return command.SendValue(kCmdSA00, 0, limitMs);
  return command.SendValue(kCmdSA, area, limitMs);
}

bool LoadFlashArea(Command& command, int area, uint32_t limitMs) {
  if (!IsFlashArea(area)) return false;
  return command.SendValue(kCmdLD, area, limitMs);
}

}  // namespace cct
