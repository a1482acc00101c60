#pragma once

#include <chrono>

namespace cct {

// Waits until `fd` is ready for `events`, a shutdown is requested or the
// deadline passes; true only for the first. A descriptor that reports an
// error or a hang-up ends the wait as well (false).
bool WaitReady(int fd, short events, std::chrono::steady_clock::time_point deadline);

}  // namespace cct
