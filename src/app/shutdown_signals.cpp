#include "app/shutdown_signals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "protocol/shutdown_request.h"

namespace cct {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

int pipeFds[2] = {-1, -1};
struct sigaction previous[kSignalCount];

void OnSignal(int number) {
  // Only async-signal-safe work here.
  const int savedErrno = errno;
  // The flag stops every exchange at once, also one that blocks the event
  // loop; the pipe then ends the program through its normal exit.
  RequestShutdown();
  const unsigned char byte = static_cast<unsigned char>(number);
  [[maybe_unused]] ssize_t written = ::write(pipeFds[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

ShutdownSignals::ShutdownSignals(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal)) {
  if (pipeFds[0] >= 0) return;  // another instance holds the handlers
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
    pipeFds[0] = pipeFds[1] = -1;
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(pipeFds[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Drain(); });

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  installed_ = true;
  for (int i = 0; i < kSignalCount; ++i) {
    if (::sigaction(kSignals[i], &action, &previous[i]) != 0) installed_ = false;
  }
}

ShutdownSignals::~ShutdownSignals() {
  if (!notifier_) return;
  for (int i = 0; i < kSignalCount; ++i) ::sigaction(kSignals[i], &previous[i], nullptr);
  notifier_.reset();
  ::close(pipeFds[0]);
  ::close(pipeFds[1]);
  pipeFds[0] = pipeFds[1] = -1;
}

void ShutdownSignals::Drain() {
  unsigned char byte = 0;
  int last = 0;
  while (::read(pipeFds[0], &byte, 1) == 1) last = byte;
  if (last != 0 && onSignal_) onSignal_(last);
}

}  // namespace cct
