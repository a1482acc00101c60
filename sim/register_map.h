#pragma once

#include <string>
#include <vector>

namespace sim {

// What a register is to the camera: where its value lives decides what a
// reset, a flash load or a flash store does to it.
enum class Role {
  kSetting,      // running setting; copied to and from the flash areas
  kNonVolatile,  // kept in its own flash cell: identity, factory constants, baud rate
  kVolatile,     // lost at reset (the LUT index)
  kReadOut,      // read-only value computed on the fly (status, temperature, area)
  kAction,       // write-only command that starts something
};

enum class Access { kReadWrite, kReadOnly, kWriteOnly };

struct RegisterSpec {
  int id = -1;  // row of the command table
  bool text = false;
  Role role = Role::kSetting;
  Access access = Access::kReadWrite;
  int defaultValue = 0;
  int min = 0;
  int max = 0;
  std::vector<int> allowed;  // when not empty, the only values accepted
  std::string defaultText;
  size_t maxLength = 0;  // text registers: longest value accepted

  bool Readable() const { return access != Access::kWriteOnly; }
  bool Writable() const { return access != Access::kReadOnly; }
  bool Accepts(int value) const;
};

// Limits the firmware reports and enforces. Line period and exposure are in
// units of 10 ns.
inline constexpr int kLinePeriodMin4K = 1250;  // 80 kHz
inline constexpr int kLinePeriodMin8K = 2500;  // 40 kHz
inline constexpr int kLinePeriodMax = 10000000;
inline constexpr int kExposureMin = 150;
inline constexpr int kExposureMax = 1000000;
// Readout time the line period must leave beside the exposure.
inline constexpr int kReadoutOverhead = 100;

inline constexpr int kLutSize = 256;
inline constexpr int kLutMaxLevel = 4095;
inline constexpr int kAreaCount = 4;
inline constexpr int kUnlockCode = 5170392;

// One register per command id, 0..89, in command-id order.
const std::vector<RegisterSpec>& CameraRegisters();

// Command id of a mnemonic (exact, case-sensitive), -1 when unknown.
int RegisterIdOf(const std::string& mnemonic);

// bit/s for a CBDRT bit value and back; 0 when there is none.
int BaudFromBits(int bits);
int BitsFromBaud(int baud);

}  // namespace sim
