#pragma once

#include <string>
#include <string_view>

namespace cct {

// Indexes of the stored preference values.
enum PreferenceIndex : int {
  kPrefShutdownStatus = 0,
  kPrefCommunicationMode = 1,
  kPrefBaudrate = 2,
  kPrefComPortNo = 3,
  kPrefCameraLink2000Index = 4,
  kPrefCameraLink2001Index = 5,
  kPrefCameraLink11Index = 6,
  kPrefControlMode = 7,
  kPrefCameraFilePath = 8,
  kPrefCommandLogFilePath = 9,
};
inline constexpr int kPreferenceCount = 10;

// The name a value is stored under; empty for an index outside 0..9.
std::string_view PreferenceName(int index);

// The stored preferences as the plain layers see them; the application
// implements it over its settings file. Index outside 0..9 fails.
class Preferences {
 public:
  virtual ~Preferences() = default;
  // On any failure `value` is `defaultValue` and the result false.
  virtual bool GetNumber(int index, int& value, int defaultValue) = 0;
  virtual bool SetNumber(int index, int value) = 0;
  virtual bool SetText(int index, const std::string& text) = 0;
  // An existing file or folder; otherwise the current directory and false.
  virtual bool GetPath(int index, std::string& path) = 0;
  virtual bool PreviousRunEndedNormally() = 0;
};

// A stored number the program can use: within minimum..maximum. Anything
// else, like a missing value, reads as the default, which is then what the
// program holds and writes back.
int StoredNumberIn(Preferences& preferences, int index, int minimum, int maximum, int defaultValue);

// Stands in where nothing is stored: every value reads as its default and
// nothing is written.
class NullPreferences : public Preferences {
 public:
  bool GetNumber(int, int& value, int defaultValue) override {
    value = defaultValue;
    return false;
  }
  bool SetNumber(int, int) override { return false; }
  bool SetText(int, const std::string&) override { return false; }
  bool GetPath(int, std::string& path) override;
  bool PreviousRunEndedNormally() override { return false; }
};

}  // namespace cct
