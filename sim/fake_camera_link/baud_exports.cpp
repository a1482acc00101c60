// Baud-rate functions and error texts of the 2001 and 1.1 fake libraries.

#include <cstring>
#include <string>

#include "fake_grabber.h"
#include "fake_settings.h"

using namespace fakecl;

namespace {

// bit/s of a single baud-rate bit: 1 → 9600 ... 128 → 921600; 0 otherwise.
int RateOfBit(unsigned int bit) {
  static constexpr int kRates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
  for (int i = 0; i < 8; ++i) {
    if (bit == (1u << i)) return kRates[i];
  }
  return 0;
}

}  // namespace

FAKE_CL_EXPORT int clGetSupportedBaudRates(void* serialRef, unsigned int* baudRates) {
  if (Grabber().Find(serialRef) == nullptr) return kBadReference;
  if (baudRates == nullptr) return kFailed;
  *baudRates = SupportedBaudMask();
  return kOk;
}

FAKE_CL_EXPORT int clSetBaudRate(void* serialRef, unsigned int baudRate) {
  FakePort* port = Grabber().Find(serialRef);
  if (port == nullptr) return kBadReference;
  const int rate = RateOfBit(baudRate);
  if (rate == 0 || (SupportedBaudMask() & baudRate) == 0) return kRateNotSupported;
  if (Flag("FAKE_CL_SET_BAUD_FAIL")) return kFailed;
  port->SetRate(rate);
  return kOk;
}

FAKE_CL_EXPORT int clGetErrorText(int errorCode, char* errorText, unsigned int* errorTextSize) {
  static constexpr struct {
    int code;
    const char* text;
  } kTexts[] = {
      {kOk, "no error"},
      {kNoSuchPort, "no such port"},
      {kPortInUse, "port in use"},
      {kBadReference, "bad serial reference"},
      {kTimeout, "time-out"},
      {kRateNotSupported, "baud rate not supported"},
      {kNoSuchManufacturer, "no such manufacturer"},
  };
  std::string text = "failed";
  for (const auto& entry : kTexts) {
    if (entry.code == errorCode) text = entry.text;
  }
  if (errorText == nullptr || errorTextSize == nullptr || *errorTextSize <= text.size()) {
    return kFailed;
  }
  std::memcpy(errorText, text.c_str(), text.size() + 1);
  *errorTextSize = static_cast<unsigned int>(text.size() + 1);
  return kOk;
}
