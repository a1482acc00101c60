#pragma once

#include <memory>
#include <string>

#include "sim/pty_camera.h"
#include "support/ser2net_server.h"

namespace cct::test {

// A camera across the network: the simulated camera at `rate` on a pty,
// served by ser2net on the loopback.
class NetworkCamera {
 public:
  bool Start(int rate, std::string* error, bool pace = true) {
    sim::PtyOptions options;
    options.engine.baudRate = rate;
    options.pace = pace;
    camera_ = std::make_unique<sim::PtyCamera>(options);
    if (!camera_->Start(error)) return false;
    server_ = std::make_unique<Ser2NetServer>(camera_->SlavePath());
    return server_->Start(error);
  }

  sim::PtyCamera& Camera() { return *camera_; }
  Ser2NetServer& Server() { return *server_; }
  std::string Url() const { return server_->Url(); }

 private:
  std::unique_ptr<sim::PtyCamera> camera_;
  std::unique_ptr<Ser2NetServer> server_;  // after the camera: goes first
};

}  // namespace cct::test
