#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "serial/preferences.h"

namespace cct {

// The name the window's settings go under; the file is named after it.
inline constexpr const char* kPreferenceApplication = "QX-2040-RTN Control Tool";

// The preferences file: $XDG_CONFIG_HOME/Ovreth/QX-2040-RTN Control Tool.conf
// (~/.config/... without XDG_CONFIG_HOME). It is the INI file earlier versions
// of the window wrote through Qt, and stays readable both ways: the values
// under [General], names escaped ("Com%20Port%20No=3"), text quoted and
// backslash-escaped where it needs it.
std::string PreferenceFilePath();

// No preferences file of ours comes near this size; a larger one is not read.
inline constexpr size_t kMaxPreferenceFileBytes = 1 << 20;

// The text of value `name` under [General] in the bytes of such a file.
// Only plain text counts: what Qt stored as "@Variant(...)",
// "@ByteArray(...)", "@Invalid()" or any other @-form, a list, and text that
// is no UTF-8 or holds a zero byte are no number and no path, so they read
// as missing (false).
bool FindPreferenceText(std::string_view file, std::string_view name, std::string& text);

// Sets value `name` under [General] to `text` in the file's bytes, replacing
// whatever it held; other values, sections and comments stay as they are.
// False, with the bytes unchanged, for text that cannot be plain text.
bool PutPreferenceText(std::string& file, std::string_view name, std::string_view text);

// A whole decimal number of 32 bits, spaces around it allowed.
bool ParsePreferenceNumber(std::string_view text, int& value);

// The ten values in such a file. Every operation reads the file once (a
// regular file only, within kMaxPreferenceFileBytes, never blocking), or
// reads it and replaces it: the new text goes to a temporary file in the same
// folder, synced, then renamed over the old one, so a write that fails or is
// cut short leaves the old file. A file that cannot be read whole is never
// replaced. An index outside 0..9 fails without touching the file.
class PreferenceFile : public Preferences {
 public:
  // Read-only: camera-ctl uses the line the operator set up in the window and
  // leaves the window's settings as it found them.
  enum class Access { kReadWrite, kReadOnly };

  explicit PreferenceFile(std::string path = PreferenceFilePath(),
                          Access access = Access::kReadWrite);

  // A number stored as text with spaces around it reads as that number.
  bool GetNumber(int index, int& value, int defaultValue) override;
  bool SetNumber(int index, int value) override;
  bool SetText(int index, const std::string& text) override;
  bool GetPath(int index, std::string& path) override;
  // The marker as the file holds it now.
  bool PreviousRunEndedNormally() override;

  // The plain text of a value; false when it is missing or no plain text.
  bool GetText(int index, std::string& text);

 private:
  bool Write(int index, std::string_view text);

  std::string path_;
  Access access_;
};

}  // namespace cct
