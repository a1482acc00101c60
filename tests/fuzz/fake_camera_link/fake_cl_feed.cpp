#include "fake_camera_link/fake_cl_feed.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#define FAKE_CL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const uint8_t* feed = nullptr;
size_t feedSize = 0;
size_t feedAt = 0;
std::string selected;
int serialToken = 0;  // the one serial reference this library hands out
unsigned int supportedRates = 0;

uint8_t Byte() {
  return feedAt < feedSize ? feed[feedAt++] : 0;
}

unsigned int Word() {
  unsigned int value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<unsigned int>(Byte()) << (8 * i);
  return value;
}

// 0 is success; the feed decides.
int Status() {
  return Byte();
}

void Name(char* buffer, unsigned int* size) {
  const unsigned int length = Byte();
  const unsigned int room = size != nullptr ? *size : 0;
  const size_t n = std::min<size_t>({length, room, feedSize - feedAt});
  if (n > 0) std::memcpy(buffer, feed + feedAt, n);
  feedAt += n;
}

void CheckRef(void* serialRef) {
  // Only the reference clSerialInit gave may come back.
  if (serialRef != &serialToken) std::abort();
}

}  // namespace

FAKE_CL_EXPORT void FuzzClFeed(const uint8_t* data, size_t size) {
  feed = data;
  feedSize = size;
  feedAt = 0;
  selected.clear();
  supportedRates = 0;
}

FAKE_CL_EXPORT const char* FuzzClSelectedName() {
  return selected.c_str();
}

// Listing, generation 2001.
FAKE_CL_EXPORT int clGetNumManufacturers(unsigned int* count) {
  const int status = Status();
  *count = Word();
  return status;
}

FAKE_CL_EXPORT int clGetManufacturer(unsigned int, char* name, unsigned int* nameSize,
                                     unsigned int* version) {
  const int status = Status();
  Name(name, nameSize);
  *nameSize = Word();
  *version = Word();
  return status;
}

FAKE_CL_EXPORT int clSelectManufacturer(char* name) {
  selected = name;
  return Status();
}

// Listing, generation 1.1.
FAKE_CL_EXPORT int clGetNumPorts(unsigned int* count) {
  const int status = Status();
  *count = Word();
  return status;
}

FAKE_CL_EXPORT int clGetPortInfo(unsigned int, char* manufacturer, unsigned int* manufacturerSize,
                                 char* portId, unsigned int* portIdSize, unsigned int* version) {
  const int status = Status();
  Name(manufacturer, manufacturerSize);
  Name(portId, portIdSize);
  *manufacturerSize = Word();
  *portIdSize = Word();
  *version = Word();
  return status;
}

// The serial port.
FAKE_CL_EXPORT int clSerialInit(unsigned int, void** serialRef) {
  const int status = Status();
  *serialRef = Byte() != 0 ? &serialToken : nullptr;
  return status;
}

FAKE_CL_EXPORT void clSerialClose(void* serialRef) {
  CheckRef(serialRef);
}

FAKE_CL_EXPORT int clSerialRead(void* serialRef, char* buffer, unsigned int* bufferSize,
                                unsigned int) {
  CheckRef(serialRef);
  const int status = Status();
  Name(buffer, bufferSize);
  *bufferSize = Word();
  return status;
}

FAKE_CL_EXPORT int clSerialWrite(void* serialRef, char*, unsigned int* bufferSize, unsigned int) {
  CheckRef(serialRef);
  const int status = Status();
  *bufferSize = Word();
  return status;
}

FAKE_CL_EXPORT int clGetSupportedBaudRates(void* serialRef, unsigned int* baudRates) {
  CheckRef(serialRef);
  const int status = Status();
  *baudRates = supportedRates = Word();
  return status;
}

FAKE_CL_EXPORT int clSetBaudRate(void* serialRef, unsigned int baudRate) {
  CheckRef(serialRef);
  // The channel asks only for one rate, and one the library offered.
  if (baudRate == 0 || (baudRate & (baudRate - 1)) != 0 || (baudRate & supportedRates) == 0) {
    std::abort();
  }
  return Status();
}

// Bound but never called.
FAKE_CL_EXPORT void clGetNumSerialPorts() {
  std::abort();
}
FAKE_CL_EXPORT void clGetSerialPortIdentifier() {
  std::abort();
}
FAKE_CL_EXPORT void clGetErrorText() {
  std::abort();
}
FAKE_CL_EXPORT void clFlushPort() {
  std::abort();
}
FAKE_CL_EXPORT void clGetNumBytesAvail() {
  std::abort();
}
