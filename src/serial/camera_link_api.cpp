#include "serial/camera_link_api.h"

#include <cstring>
#include <iterator>

namespace cct {

unsigned int ClBaudRateBit(int bitsPerSecond) {
  static constexpr int kRates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
  for (unsigned int i = 0; i < std::size(kRates); ++i) {
    if (kRates[i] == bitsPerSecond) return 1u << i;
  }
  return 0;
}

std::string ClBufferText(const char* buffer, size_t size) {
  return std::string(buffer, ::strnlen(buffer, size));
}

std::string PrintableText(const std::string& text) {
  std::string printable;
  for (char c : text) {
    if (c >= ' ' && c <= '~') printable += c;
  }
  return printable;
}

}  // namespace cct
