#include "protocol/timing.h"

namespace cct {

Timing& ProgramTiming() {
  static Timing timing;
  return timing;
}

}  // namespace cct
