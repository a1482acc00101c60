#include "serial/preferences.h"

#include <filesystem>
#include <system_error>

namespace cct {

namespace {

constexpr std::string_view kNames[kPreferenceCount] = {
    "Previous Application Shutdown Status",
    "Communication Mode",
    "Baudrate",
    "Com Port No",
    "Cameralink 2000 Dll Index",
    "Cameralink 2001 Dll Index",
    "Cameralink Ver11 Dll Index",
    "Control Mode",
    "Camera File Path",
    "Command Log File Path",
};

}  // namespace

std::string_view PreferenceName(int index) {
  return index >= 0 && index < kPreferenceCount ? kNames[index] : std::string_view();
}

int StoredNumberIn(Preferences& preferences, int index, int minimum, int maximum,
                   int defaultValue) {
  int value = defaultValue;
  if (!preferences.GetNumber(index, value, defaultValue)) return defaultValue;
  return value >= minimum && value <= maximum ? value : defaultValue;
}

bool NullPreferences::GetPath(int, std::string& path) {
  std::error_code ec;
  auto cwd = std::filesystem::current_path(ec);
  path = ec ? std::string() : cwd.string();
  return false;
}

}  // namespace cct
