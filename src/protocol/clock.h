#pragma once

#include <cstdint>

namespace cct {

// The millisecond tick counter and sleeping. Ticks are 32 bits and wrap after
// about 49.7 days; every caller compares them with unsigned subtraction so a
// limit that spans the wrap still expires on time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Ticks() = 0;
  virtual void Sleep(uint32_t ms) = 0;
};

// Ticks from the monotonic clock. `startTicks` is what Ticks() reads at
// construction; tests start just below the wrap.
class SteadyClock : public Clock {
 public:
  SteadyClock();
  explicit SteadyClock(uint32_t startTicks);
  uint32_t Ticks() override;
  void Sleep(uint32_t ms) override;

 private:
  int64_t originMs_;
  uint32_t startTicks_;
};

// Milliseconds elapsed from `start` to `now`, correct across the wrap.
inline uint32_t TicksSince(uint32_t start, uint32_t now) {
  return now - start;
}

// The program's one clock.
Clock& SystemClock();

}  // namespace cct
