#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace cct {

// The serial line as the command exchange sees it.
class Line {
 public:
  virtual ~Line() = default;
  // Copies at most `count` bytes into `buffer`, waiting at most `limitMs`;
  // returns the number copied. Makes at least one attempt, also with limit 0.
  virtual int Read(char* buffer, int count, uint32_t limitMs) = 0;
  // Sends the text as it is (the caller ends it with CR LF) and logs it;
  // false when it did not go out whole.
  virtual bool Write(const std::string& text) = 0;
  // Copies at most `count` bytes that have arrived by now, wherever they
  // wait (a ring, the driver, a library), without waiting for more.
  virtual int ReadWaiting(char* buffer, int count) { return Read(buffer, count, 0); }
  // Blocks until a byte may be there or `limitUs` has passed, without
  // spinning; true when one may be. A line that cannot tell sleeps the limit.
  virtual bool WaitForInput(uint32_t limitUs) = 0;
  // One character's time on the wire at the line's rate, in microseconds.
  virtual uint32_t CharacterTimeUs() const { return 1042; }
  // False when no byte can be read now, so a look between exchanges need not
  // wait for one; true when one may be there.
  virtual bool InputPending() { return true; }
  // A descriptor that becomes readable when bytes arrive and whenever the
  // line is opened anew, so an idle look between exchanges can sleep until
  // then; -1 when the line cannot tell and must be looked at regularly.
  virtual int InputSignal() { return -1; }
};

// Whatever owns the periodic timer that reads lines the camera sends between
// exchanges. The main window supplies a Qt timer; tests tick by hand.
class PollingTimer {
 public:
  virtual ~PollingTimer() = default;
  virtual void Start(uint32_t periodMs, std::function<void()> onTick) = 0;
  // No ticks until `fd` is readable; then they go on as before.
  virtual void WaitForSignal(int fd) { (void)fd; }
};

}  // namespace cct
