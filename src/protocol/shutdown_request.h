#pragma once

namespace cct {

// Whether the program has been asked to end (SIGTERM, SIGINT, SIGHUP). Set
// from a signal handler, so it is a lock-free flag; every long procedure and
// every exchange looks at it, so one request ends the program promptly and
// nothing more goes to the camera.
void RequestShutdown();
bool ShutdownRequested();
// For tests that ask more than once in one process.
void ClearShutdownRequest();

// A descriptor that becomes readable once a shutdown is requested, so a wait
// in poll() ends then whichever thread the signal reached; -1 if the system
// gave none (the flag still works, waits end at their limits).
int ShutdownRequestDescriptor();

}  // namespace cct
