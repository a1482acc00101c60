#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "fake_clock.h"
#include "protocol/host.h"
#include "protocol/line.h"
#include "sim/camera_engine.h"

namespace cct::test {

// The simulated camera in the same process, behind a line on a fake clock:
// every line written is handled by the engine at once, and its answers
// arrive after the engine's answer delay. Reads that find nothing let the
// clock run on by their limit, so a silent camera costs no real time.
class EngineLine : public Line {
 public:
  // With a host, every text sent goes into its two logs as the serial line
  // puts it there.
  explicit EngineLine(FakeClock& clock, sim::EngineOptions options = {}, Host* host = nullptr)
      : engine(std::move(options)), clock_(clock), host_(host) {}

  int Read(char* buffer, int count, uint32_t limitMs) override {
    int got = Take(buffer, count);
    if (got == 0) {
      clock_.Advance(limitMs);
      got = Take(buffer, count);
    }
    return got;
  }

  bool Write(const std::string& text) override {
    written.push_back(text);
    if (host_ != nullptr) {
      const std::string bare = text.substr(0, text.find_last_not_of("\r\n") + 1);
      host_->LogTerminal("Tx: " + bare);
      host_->LogMessage(bare);
    }
    pendingLine_ += text;
    size_t end;
    while ((end = pendingLine_.find('\n')) != std::string::npos) {
      std::string line = pendingLine_.substr(0, end);
      pendingLine_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const uint32_t due = clock_.now + engine.AnswerDelayMs(line);
      for (const std::string& answer : engine.HandleLine(line, clock_.now)) {
        for (char c : answer + "\r\n") arriving_.push_back({due, c});
      }
      engine.ApplyPendingBaudRate();
    }
    return true;
  }

  sim::CameraEngine engine;
  std::vector<std::string> written;  // every text as the host wrote it, CR LF included

 private:
  int Take(char* buffer, int count) {
    int got = 0;
    while (got < count && !arriving_.empty() && arriving_.front().first <= clock_.now) {
      buffer[got++] = arriving_.front().second;
      arriving_.pop_front();
    }
    return got;
  }

  FakeClock& clock_;
  Host* host_;
  std::string pendingLine_;
  std::deque<std::pair<uint32_t, char>> arriving_;
};

}  // namespace cct::test
