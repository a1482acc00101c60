#include "serial/preferences.h"

#include <filesystem>
#include <system_error>

namespace cct {

bool NullPreferences::GetPath(int, std::string& path) {
  std::error_code ec;
  auto cwd = std::filesystem::current_path(ec);
  path = ec ? std::string() : cwd.string();
  return false;
}

}  // namespace cct
