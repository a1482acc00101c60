#pragma once

#include <string>
#include <string_view>

#include "serial/preferences.h"

namespace cct {

// Where the preferences live: QSettings of this organisation and application
// (native format, user scope).
inline constexpr const char* kSettingsOrganisation = "Ovreth";
inline constexpr const char* kSettingsApplication = "QX-2040-RTN Control Tool";

// The ten stored preferences. Every operation makes its own QSettings, does
// one read or one write, syncs and checks the status, so a failure shows in
// the result and nothing is cached but the shutdown marker. An index outside
// 0..9 fails without touching the store.
class PreferenceStore : public Preferences {
 public:
  // Reads the shutdown marker, then writes 0 at once: a run that does not
  // reach its normal end leaves 0 behind.
  PreferenceStore();
  // Writes 1 to the marker: the run ended normally.
  ~PreferenceStore() override;
  PreferenceStore(const PreferenceStore&) = delete;
  PreferenceStore& operator=(const PreferenceStore&) = delete;

  // A value stored as text is read as a decimal number; text that is not one
  // fails like a missing value.
  bool GetNumber(int index, int& value, int defaultValue) override;
  bool SetNumber(int index, int value) override;
  bool SetText(int index, const std::string& text) override;
  bool GetPath(int index, std::string& path) override;
  bool PreviousRunEndedNormally() override { return previousShutdownStatus_ == 1; }

 private:
  int previousShutdownStatus_ = 0;
};

}  // namespace cct
