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
  // Sends the text as it is (the caller ends it with CR LF) and logs it.
  virtual bool Write(const std::string& text) = 0;
};

// Whatever owns the periodic timer that reads lines the camera sends between
// exchanges. The main window supplies a Qt timer; tests tick by hand.
class PollingTimer {
 public:
  virtual ~PollingTimer() = default;
  virtual void Start(uint32_t periodMs, std::function<void()> onTick) = 0;
};

}  // namespace cct
