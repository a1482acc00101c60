#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fake_clock.h"
#include "protocol/line.h"

namespace cct::test {

// A line whose bytes arrive at given clock times. Reads that find nothing
// let the clock run on by their limit, as a real wait would. Answers can be
// scripted per written text.
class ScriptedLine : public Line {
 public:
  explicit ScriptedLine(FakeClock& clock) : clock_(clock) {}

  // Bytes that arrive `delayMs` from now.
  void Arrive(const std::string& bytes, uint32_t delayMs = 0) {
    for (char c : bytes) pending_.push_back({clock_.now + delayMs, c});
  }
  // When `written` is sent, `answer` arrives `delayMs` later.
  void Answer(const std::string& written, const std::string& answer, uint32_t delayMs = 0) {
    answers_[written] = {answer, delayMs};
  }

  int Read(char* buffer, int count, uint32_t limitMs) override {
    ++reads;
    int got = Take(buffer, count);
    if (got == 0) {
      clock_.Advance(limitMs);
      got = Take(buffer, count);
    }
    return got;
  }

  // What has arrived by now, without waiting; not counted as a read.
  int ReadWaiting(char* buffer, int count) override { return Take(buffer, count); }

  // Lets the clock run on to the next byte's arrival, or by the limit.
  bool WaitForInput(uint32_t limitUs) override {
    const uint32_t limitMs = (limitUs + 999) / 1000;
    if (!pending_.empty() && pending_.front().first <= clock_.now + limitMs) {
      if (pending_.front().first > clock_.now) clock_.Advance(pending_.front().first - clock_.now);
      return true;
    }
    clock_.Advance(limitMs);
    return false;
  }

  // A byte is there when one has arrived by now.
  bool InputPending() override { return !pending_.empty() && pending_.front().first <= clock_.now; }

  bool Write(const std::string& text) override {
    written.push_back(text);
    auto it = answers_.find(text);
    if (it != answers_.end()) Arrive(it->second.first, it->second.second);
    return writeResult;
  }

  std::vector<std::string> written;
  bool writeResult = true;
  int reads = 0;

 private:
  int Take(char* buffer, int count) {
    int got = 0;
    while (got < count && !pending_.empty() && pending_.front().first <= clock_.now) {
      buffer[got++] = pending_.front().second;
      pending_.pop_front();
    }
    return got;
  }

  FakeClock& clock_;
  std::deque<std::pair<uint32_t, char>> pending_;
  std::map<std::string, std::pair<std::string, uint32_t>> answers_;
};

}  // namespace cct::test
