#include "serial/port_map.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "protocol/file_bytes.h"
#include "serial/network_address.h"

namespace cct {

namespace fs = std::filesystem;

std::string SettingsFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
      const passwd* pw = ::getpwuid(::getuid());
      home = pw != nullptr ? pw->pw_dir : "/";
    }
    base = std::string(home) + "/.config";
  }
  return base + "/Ovreth";
}

std::string PortMapFolder() {
  return SettingsFolder() + "/ports";
}

namespace {

// The number of a name that is `prefix` and decimal digits only ("COM3",
// "ttyUSB10"); -1 for any other name, or one too large for an int.
int NumberAfter(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
  int number = 0;
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9' || number > (INT_MAX - 9) / 10) return -1;
    number = number * 10 + (name[i] - '0');
  }
  return number;
}

// Devices named prefix<number> in /dev, in numeric order.
std::vector<std::pair<int, std::string>> NumberedDevices(const std::string& prefix) {
  std::vector<std::pair<int, std::string>> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/dev", ec)) {
    const int number = NumberAfter(entry.path().filename().string(), prefix);
    if (number >= 0) found.emplace_back(number, entry.path().string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

// Most machines list dozens of ttyS ports with no UART behind them; the
// kernel reports the UART type of each, 0 meaning none.
bool HasUart(const std::string& ttyName) {
  std::ifstream type("/sys/class/tty/" + ttyName + "/type");
  int value = 0;
  return static_cast<bool>(type >> value) && value != 0;
}

// An entry file holds one line; anything longer is no port map entry of ours.
constexpr size_t kEntryFileLimit = 4096;

// The network port an entry of the map names, or empty. A link's target is
// read as text, never followed: "rfc2217://linepc3:4001" is no path.
std::string NetworkPortOfEntry(const fs::path& entry, const fs::file_status& status) {
  std::error_code ec;
  std::string text;
  if (fs::is_symlink(status)) {
    text = fs::read_symlink(entry, ec).string();
  } else if (fs::is_regular_file(status)) {
    FileReadError error;
    if (!ReadFileBytes(entry.string(), kEntryFileLimit, true, text, error)) return std::string();
    text = text.substr(0, text.find('\n'));
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t\r");
    text = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
  }
  return !ec && IsNetworkPort(text) ? text : std::string();
}

}  // namespace

std::vector<std::string> SystemSerialDevices() {
  std::vector<std::string> devices;
  for (const char* prefix : {"ttyUSB", "ttyACM"}) {
    for (auto& [n, path] : NumberedDevices(prefix)) devices.push_back(path);
  }
  for (auto& [n, path] : NumberedDevices("ttyS")) {
    if (HasUart(fs::path(path).filename().string())) devices.push_back(path);
  }
  return devices;
}

std::string ResolvePortName(const std::string& portName) {
  // A script may name the device itself.
  if ((!portName.empty() && portName[0] == '/') || IsNetworkPort(portName)) return portName;
  const int number = NumberAfter(portName, "COM");
  if (number < 1) return std::string();

  // An entry of the map wins even when its device is missing: the operator
  // meant that device, and opening it then fails visibly.
  const fs::path entry = fs::path(PortMapFolder()) / portName;
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(entry, ec);
  if (fs::exists(status)) {
    const std::string network = NetworkPortOfEntry(entry, status);
    return network.empty() ? entry.string() : network;
  }

  const auto devices = SystemSerialDevices();
  if (static_cast<size_t>(number) <= devices.size()) return devices[number - 1];
  return std::string();
}

}  // namespace cct
