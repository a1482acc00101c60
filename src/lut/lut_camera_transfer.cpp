#include "lut/lut_camera_transfer.h"

#include "protocol/command_table.h"

namespace cct {

int WriteLutToCamera(Command& command, const LutTable& table, const LutEntryDone& done) {
  int written = 0;
  for (int i = 0; i < kLutEntries; ++i) {
    // A level sent after a refused index would land on another entry.
    if (command.SendValue(kCmdLUTI, i, kLutEntryLimitMs) &&
        command.SendValue(kCmdLUTD, static_cast<int32_t>(table[i]), kLutEntryLimitMs)) {
      ++written;
    }
    if (done) done(i);
    // Without an answer the camera is gone; each further entry would only
    // wait out its limit.
    if (command.LastTimedOut()) break;
  }
  return written;
}

std::string LutWriteShortfallText(int written) {
  return "Couldn't write the whole LUT to the camera: " + std::to_string(written) + " of " +
         std::to_string(kLutEntries) + " entries were written.";
}

bool ReadLutFromCamera(Command& command, LutTable& table, const LutEntryDone& done) {
  for (int i = 0; i < kLutEntries; ++i) {
    // The level of an entry the camera did not select would be another's.
    int32_t level = 0;
    if (!command.SendValue(kCmdLUTI, i, kLutEntryLimitMs) ||
        !command.QueryValue(kCmdLUTD, level, kLutEntryLimitMs)) {
      return false;
    }
    table[i] = level < 0 ? 0 : level > static_cast<int32_t>(kLutMaxLevel) ? kLutMaxLevel : level;
    if (done) done(i);
  }
  return true;
}

}  // namespace cct
