#pragma once

#include <cstdint>

namespace cct {

// Lets the window system deliver what is pending (repaints, timers, input),
// as long operations do once per step while they block the user interface.
void PumpPendingEvents();

// Waits `ms` milliseconds without spinning, repainting meanwhile; the
// operator's input waits until afterwards.
void HoldFor(uint32_t ms);

}  // namespace cct
