#include "serial/preferences.h"

#include <filesystem>
#include <system_error>

namespace cct {

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
