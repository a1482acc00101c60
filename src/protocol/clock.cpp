#include "protocol/clock.h"

#include <chrono>
#include <thread>

namespace cct {

namespace {
int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

SteadyClock::SteadyClock() : originMs_(NowMs()), startTicks_(static_cast<uint32_t>(originMs_)) {}

SteadyClock::SteadyClock(uint32_t startTicks) : originMs_(NowMs()), startTicks_(startTicks) {}

uint32_t SteadyClock::Ticks() {
  return startTicks_ + static_cast<uint32_t>(NowMs() - originMs_);
}

void SteadyClock::Sleep(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Clock& SystemClock() {
  static SteadyClock clock;
  return clock;
}

}  // namespace cct
