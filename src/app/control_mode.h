#pragma once

#include "serial/preferences.h"

namespace cct {

inline constexpr int kUserMode = 0;
inline constexpr int kFactoryMode = 1;

// The program-wide control mode: read from "Control Mode" when the holder is
// created (its first use), changed by the main window, written back when the
// holder is destroyed at exit.
class ControlModeHolder {
 public:
  explicit ControlModeHolder(Preferences& preferences);
  ~ControlModeHolder();
  ControlModeHolder(const ControlModeHolder&) = delete;
  ControlModeHolder& operator=(const ControlModeHolder&) = delete;

  int GetControlMode() const { return mode_; }
  void SetControlMode(int mode) { mode_ = mode; }

 private:
  Preferences& preferences_;
  int mode_ = kUserMode;
};

}  // namespace cct
