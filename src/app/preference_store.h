#pragma once

#include "serial/preference_file.h"

namespace cct {

// The organisation and application the window names itself by; the
// preferences file lies in the organisation's folder under the application's
// name.
inline constexpr const char* kSettingsOrganisation = "Ovreth";
inline constexpr const char* kSettingsApplication = kPreferenceApplication;

// The window's ten stored preferences, in the preferences file shared with
// camera-ctl. Every operation does one read or one write of the file and
// reports its failure; nothing is cached but the shutdown marker.
class PreferenceStore : public PreferenceFile {
 public:
  // Reads the shutdown marker, then writes 0 at once: a run that does not
  // reach its normal end leaves 0 behind.
  PreferenceStore();
  // Writes 1 to the marker: the run ended normally.
  ~PreferenceStore() override;
  PreferenceStore(const PreferenceStore&) = delete;
  PreferenceStore& operator=(const PreferenceStore&) = delete;

  // The marker as it was when the store was created.
  bool PreviousRunEndedNormally() override { return previousShutdownStatus_ == 1; }

 private:
  int previousShutdownStatus_ = 0;
};

}  // namespace cct
