#pragma once

#include <istream>
#include <map>
#include <string>

#include "serial/preferences.h"

namespace cct {

// The window's preferences file: $XDG_CONFIG_HOME/Ovreth/QX-2040-RTN Control
// Tool.conf (~/.config/... without XDG_CONFIG_HOME).
std::string StoredSettingsPath();

// The window's stored preferences, read from its INI file without Qt and
// never written: scripts use the line the operator set up, and leave the
// window's settings as they found them. A missing or unreadable file, and
// any value that is no plain whole number, read as the defaults.
class StoredSettings : public Preferences {
 public:
  StoredSettings() = default;
  // Reads the file at `path`; a file that cannot be read holds nothing.
  explicit StoredSettings(const std::string& path);
  // Reads the text of such a file.
  void Read(std::istream& in);

  bool GetNumber(int index, int& value, int defaultValue) override;
  bool SetNumber(int, int) override { return false; }
  bool SetText(int, const std::string&) override { return false; }
  bool GetPath(int index, std::string& path) override;
  bool PreviousRunEndedNormally() override;

  // The value of `key` in [General] as the settings file holds it, unquoted
  // and unescaped; false when there is none.
  bool Value(const std::string& key, std::string& value) const;

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace cct
