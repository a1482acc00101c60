#include "app/control_mode.h"

namespace cct {

ControlModeHolder::ControlModeHolder(Preferences& preferences) : preferences_(preferences) {
  mode_ = StoredNumberIn(preferences_, kPrefControlMode, kUserMode, kFactoryMode, kUserMode);
}

ControlModeHolder::~ControlModeHolder() {
  preferences_.SetNumber(kPrefControlMode, mode_);
}

}  // namespace cct
