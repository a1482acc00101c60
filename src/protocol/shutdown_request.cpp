#include "protocol/shutdown_request.h"

#include <atomic>

namespace cct {

namespace {

std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

}  // namespace

void RequestShutdown() {
  requested.store(true, std::memory_order_relaxed);
}

bool ShutdownRequested() {
  return requested.load(std::memory_order_relaxed);
}

void ClearShutdownRequest() {
  requested.store(false, std::memory_order_relaxed);
}

}  // namespace cct
