#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "lut/lut_table.h"
#include "protocol/command.h"

namespace cct {

// Each entry has this long to be selected and to carry its level.
inline constexpr uint32_t kLutEntryLimitMs = 1000;

// Called after each entry with its index, whether or not it went through.
using LutEntryDone = std::function<void(int index)>;

// Writes all 256 entries to the camera: "LUTI" selects an entry, "LUTD"
// carries its level. An entry whose index the camera did not take is not
// sent, and a camera that stops answering ends the transfer. The number of
// entries written.
int WriteLutToCamera(Command& command, const LutTable& table, const LutEntryDone& done = {});

// "Couldn't write the whole LUT to the camera: %1 of %2 entries were written."
std::string LutWriteShortfallText(int written);

// Reads all 256 entries into `table`, levels clamped to 0..kLutMaxLevel.
// Stops at the first entry that fails; `table` then holds a mix and the
// caller keeps its old one. True when every entry came.
bool ReadLutFromCamera(Command& command, LutTable& table, const LutEntryDone& done = {});

}  // namespace cct
