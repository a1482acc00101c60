#include "app/preference_store.h"

namespace cct {

PreferenceStore::PreferenceStore() {
  GetNumber(kPrefShutdownStatus, previousShutdownStatus_, 0);
  SetNumber(kPrefShutdownStatus, 0);
}

PreferenceStore::~PreferenceStore() {
  SetNumber(kPrefShutdownStatus, 1);
}

}  // namespace cct
