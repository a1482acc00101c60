#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "protocol/command.h"
#include "protocol/host.h"

namespace cct {

// The camera models the tool knows, in model-index order.
inline constexpr int kModelCount = 4;
inline constexpr int kModelUnknown = 4;  // none identified yet, or unsupported
inline constexpr std::array<const char*, kModelCount> kModelNames = {
    "QX-2040L-RTN", "QX-2080L-RTN", "QX-2040L-VRTN", "QX-2080L-VRTN"};

// Position of the name in the model table (exact, case-sensitive); -1 when none.
int ModelIndexOf(const std::string& name);
// Index 0..3.
bool IsKnownModel(int modelIndex);
// Known models 1 and 3 carry an 8K sensor, 0 and 2 a 4K sensor.
bool Has8KSensor(int modelIndex);

// A firmware or FPGA version number as the tool shows it: 105 is "1.05".
std::string VersionNumberString(int32_t value);

// What the camera last said it is. One program-wide record; it changes only
// when a probe gets an answer.
struct CameraModelRecord {
  int modelIndex = kModelUnknown;
  std::string modelText;
};

// Asks the camera for its model name ("MD", 1000 ms). True when any answer
// came; an answer not in the model table is reported and counts all the same.
// Without an answer the record keeps its values.
bool ProbeCamera(Command& command, Host& host, CameraModelRecord& record);

}  // namespace cct
