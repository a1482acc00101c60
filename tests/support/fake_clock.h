#pragma once

#include <cstdint>
#include <vector>

#include "protocol/clock.h"

namespace cct::test {

// Time that moves only when someone sleeps or a fake line waits.
class FakeClock : public Clock {
 public:
  explicit FakeClock(uint32_t start = 1000) : now(start) {}
  uint32_t Ticks() override { return now; }
  void Sleep(uint32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }
  void Advance(uint32_t ms) { now += ms; }

  uint32_t now;
  std::vector<uint32_t> sleeps;
};

}  // namespace cct::test
