#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "sim/camera_engine.h"

namespace fakecl {

// One serial port of a fake grabber with a simulated camera on its far end.
// The camera hears a line only when the port runs at the camera's own rate,
// and answers at once; its answers wait in the port until they are read.
class FakePort {
 public:
  explicit FakePort(sim::EngineOptions options);

  bool IsOpen() const { return open_; }
  void SetOpen(bool open) { open_ = open; }

  int Rate() const { return rate_; }
  void SetRate(int bitsPerSecond) { rate_ = bitsPerSecond; }

  // Bytes from the host; each line ends at CR or LF.
  void Send(const char* data, size_t count, uint64_t nowMs);
  // Takes exactly `count` answer bytes; false, taking none, when fewer wait.
  bool Take(char* buffer, size_t count);
  size_t Waiting() const { return answer_.size(); }
  void Flush();

 private:
  void HandleLine(uint64_t nowMs);

  sim::CameraEngine engine_;
  int rate_ = 9600;
  bool open_ = false;
  std::string line_;
  std::deque<char> answer_;
};

}  // namespace fakecl
