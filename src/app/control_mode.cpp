#include "app/control_mode.h"

namespace cct {

ControlModeHolder::ControlModeHolder(Preferences& preferences) : preferences_(preferences) {
  preferences_.GetNumber(kPrefControlMode, mode_, kUserMode);
}

ControlModeHolder::~ControlModeHolder() {
  preferences_.SetNumber(kPrefControlMode, mode_);
}

}  // namespace cct
