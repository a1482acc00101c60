#include "fake_settings.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace fakecl {

namespace {

std::string Variable(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : fallback;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  size_t begin = 0;
  while (true) {
    const size_t end = text.find(separator, begin);
    parts.push_back(text.substr(begin, end - begin));
    if (end == std::string::npos) return parts;
    begin = end + 1;
  }
}

}  // namespace

unsigned long Number(const char* name, unsigned long fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  char* end = nullptr;
  const unsigned long n = std::strtoul(value, &end, 0);
  return *end == '\0' ? n : fallback;
}

std::vector<PortName> Ports() {
  std::vector<PortName> ports;
  for (const std::string& entry :
       Split(Variable("FAKE_CL_PORTS", "Fakegrab|port0;Fakegrab|port1"), ';')) {
    const size_t bar = entry.find('|');
    if (bar == std::string::npos) {
      ports.push_back({entry, ""});
    } else {
      ports.push_back({entry.substr(0, bar), entry.substr(bar + 1)});
    }
  }
  return ports;
}

std::vector<std::string> Manufacturers() {
  return Split(Variable("FAKE_CL_MANUFACTURERS", "Fakegrab"), ',');
}

unsigned int SupportedBaudMask() {
  return static_cast<unsigned int>(Number("FAKE_CL_BAUD_MASK", 0x1F));
}

int CameraBaudRate() {
  return static_cast<int>(Number("FAKE_CL_CAMERA_BAUD", 9600));
}

bool Flag(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

std::string LogPath() {
  return Variable("FAKE_CL_LOG", "");
}

void CopyName(const std::string& name, char* buffer, unsigned int* size) {
  if (buffer == nullptr || size == nullptr || *size == 0) return;
  const size_t copied = name.size() < *size ? name.size() + 1 : *size;
  std::memcpy(buffer, name.c_str(), copied);
  *size = static_cast<unsigned int>(copied);
}

}  // namespace fakecl
