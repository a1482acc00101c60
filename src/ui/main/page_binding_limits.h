#pragma once

#include <cstdint>

// The time limits of the page binding's camera exchanges, in milliseconds.
namespace cct::limits {

inline constexpr uint32_t kWriteMs = 5000;          // a changed value
inline constexpr uint32_t kQueryMs = 5000;          // reading a value back, the full read
inline constexpr uint32_t kSensorSelectMs = 20000;  // the camera re-initialises its sensor
inline constexpr uint32_t kOnePushMs = 20000;
inline constexpr uint32_t kTemperatureMs = 500;
inline constexpr uint32_t kLutEntryMs = 1000;
inline constexpr uint32_t kBaudQueryMs = 500;

}  // namespace cct::limits
