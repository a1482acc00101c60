#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cct {

// The Camera Link serial functions as the frame grabber makers' libraries
// export them (C calling convention). Status 0 is success; every other status
// is the library's own error code. Only the functions this program calls have
// a prototype here; the other bound exports are only looked up.
namespace clapi {

using SerialInitFn = int(unsigned int serialIndex, void** serialRef);
using SerialReadFn = int(void* serialRef, char* buffer, unsigned int* bufferSize,
                         unsigned int timeoutMs);
using SerialWriteFn = int(void* serialRef, char* buffer, unsigned int* bufferSize,
                          unsigned int timeoutMs);
using SerialCloseFn = void(void* serialRef);
using GetSupportedBaudRatesFn = int(void* serialRef, unsigned int* baudRates);
using SetBaudRateFn = int(void* serialRef, unsigned int baudRate);
// Generation 2001: one library in front of several grabber makers.
using GetNumManufacturersFn = int(unsigned int* count);
using GetManufacturerFn = int(unsigned int index, char* name, unsigned int* nameSize,
                              unsigned int* version);
using SelectManufacturerFn = int(char* name);
// Generation 1.1: one library in front of every port of every maker.
using GetNumPortsFn = int(unsigned int* count);
using GetPortInfoFn = int(unsigned int index, char* manufacturer, unsigned int* manufacturerSize,
                          char* portId, unsigned int* portIdSize, unsigned int* version);
// Exports bound for completeness of a library but never called.
using UnusedFn = void();

}  // namespace clapi

// Size of every name buffer handed to a library.
inline constexpr unsigned int kClNameBufferSize = 128;

// A library reporting more entries than this is not believed: its count is
// cut here so a garbage count cannot stall the listing.
inline constexpr unsigned int kClMaxListEntries = 256;

// The four serial functions every generation exports.
struct ClSerialFunctions {
  clapi::SerialInitFn* init = nullptr;
  clapi::SerialCloseFn* close = nullptr;
  clapi::SerialReadFn* read = nullptr;
  clapi::SerialWriteFn* write = nullptr;
};

// The libraries' baud-rate bit for a rate in bit/s (9600 → 1, 19200 → 2, ...
// 921600 → 128); 0, never supported, for any other rate.
unsigned int ClBaudRateBit(int bitsPerSecond);

// The text a library left in a name buffer: up to the first zero byte, and
// never past the buffer's end even when the library wrote no zero byte.
std::string ClBufferText(const char* buffer, size_t size);

// The printable characters of a name a library gave (space to "~"), for
// showing it: some libraries leave bytes in their buffers that are no text.
std::string PrintableText(const std::string& text);

}  // namespace cct
