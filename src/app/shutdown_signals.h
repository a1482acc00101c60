#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace cct {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the Qt event loop, so the
// program can end as it does when the operator closes it: the handler only
// writes the signal number into a pipe, whose reading end a socket notifier
// watches. One instance at a time; the previous handlers come back when it
// goes.
class ShutdownSignals {
 public:
  explicit ShutdownSignals(std::function<void(int)> onSignal);
  ~ShutdownSignals();
  ShutdownSignals(const ShutdownSignals&) = delete;
  ShutdownSignals& operator=(const ShutdownSignals&) = delete;

  // False when the pipe or a handler could not be set up.
  bool IsInstalled() const { return installed_; }

 private:
  void Drain();

  std::function<void(int)> onSignal_;
  std::unique_ptr<QSocketNotifier> notifier_;
  bool installed_ = false;
};

}  // namespace cct
