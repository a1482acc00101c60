#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "sim/camera_engine.h"

namespace fakecl {

// One serial port of a fake grabber with a simulated camera on its far end.
// The camera hears a line only when the port runs at the camera's own rate,
// and answers at once, or after the answer delay of that command; its answers
// wait in the port until they are read, in the order the lines came.
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
  bool Take(char* buffer, size_t count, uint64_t nowMs);
  // Answer bytes that have arrived by `nowMs`.
  size_t Waiting(uint64_t nowMs);
  // Drops every answer, held-back ones too, and any partial line.
  void Flush();

 private:
  // Answer bytes still held back by the camera, due at `readyMs`.
  struct Delayed {
    uint64_t readyMs;
    std::string bytes;
  };

  void HandleLine(uint64_t nowMs);
  void Release(uint64_t nowMs);

  sim::CameraEngine engine_;
  int rate_ = 9600;
  bool open_ = false;
  std::string line_;
  std::deque<Delayed> delayed_;
  std::deque<char> answer_;
};

}  // namespace fakecl
