#include "serial/wait_ready.h"

#include <poll.h>

#include <cerrno>
#include <ctime>

#include "protocol/shutdown_request.h"

namespace cct {

bool WaitReady(int fd, short events, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    if (ShutdownRequested()) return false;
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd fds[2] = {{fd, events, 0}, {ShutdownRequestDescriptor(), POLLIN, 0}};
    const timespec wait{static_cast<time_t>(left.count() / 1000000000),
                        static_cast<long>(left.count() % 1000000000)};
    const int ready = ::ppoll(fds, fds[1].fd >= 0 ? 2 : 1, &wait, nullptr);
    if (ready < 0 && errno != EINTR) return false;
    if (ready > 0) {
      if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return false;
      if (fds[0].revents & events) return true;
    }
  }
}

}  // namespace cct
