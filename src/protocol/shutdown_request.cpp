#include "protocol/shutdown_request.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

namespace cct {

namespace {

std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

// Made before main(), so the signal handler never has to create it.
const int requestDescriptor = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);

}  // namespace

void RequestShutdown() {
  requested.store(true, std::memory_order_relaxed);
  if (requestDescriptor >= 0) {
    // Async-signal-safe: one write, errno kept for the interrupted code.
    const int savedErrno = errno;
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(requestDescriptor, &one, sizeof one);
    errno = savedErrno;
  }
}

bool ShutdownRequested() {
  return requested.load(std::memory_order_relaxed);
}

void ClearShutdownRequest() {
  requested.store(false, std::memory_order_relaxed);
  if (requestDescriptor >= 0) {
    uint64_t count = 0;
    [[maybe_unused]] ssize_t n = ::read(requestDescriptor, &count, sizeof count);
  }
}

int ShutdownRequestDescriptor() {
  return requestDescriptor;
}

}  // namespace cct
