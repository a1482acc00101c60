#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace cct::test {

// A fresh configuration folder for one test: XDG_CONFIG_HOME points at it
// while the object lives, so nothing touches the operator's own settings.
class TempConfig {
 public:
  TempConfig() {
    char pattern[] = "/tmp/cct-config-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    // Without a folder of its own a test must not run against the real one.
    if (made == nullptr) std::abort();
    path_ = made;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    hadOld_ = old != nullptr;
    if (hadOld_) old_ = old;
    ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
  }
  ~TempConfig() {
    if (hadOld_) {
      ::setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempConfig(const TempConfig&) = delete;
  TempConfig& operator=(const TempConfig&) = delete;

  const std::string& Path() const { return path_; }
  std::string PortsFolder() const { return path_ + "/Ovreth/ports"; }

 private:
  std::string path_;
  std::string old_;
  bool hadOld_ = false;
};

}  // namespace cct::test
