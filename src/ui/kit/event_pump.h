#pragma once

#include <cstdint>

class QWidget;

namespace cct {

// Lets the window system deliver what is pending (repaints, timers, input),
// as long operations do once per step while they block the user interface.
void PumpPendingEvents();

// Puts a shown window's pixels on the screen now, before work that blocks
// the user interface: waits at most `exposeWaitMs` for the window system to
// show the window (the operator's input waits meanwhile), then paints it.
// A window painted while it is not shown yet leaves the screen as it was.
// True when the window is on the screen.
bool PaintNow(QWidget* window, uint32_t exposeWaitMs);

// Waits `ms` milliseconds without spinning, repainting meanwhile; the
// operator's input waits until afterwards.
void HoldFor(uint32_t ms);

}  // namespace cct
