#pragma once

#include <string>
#include <utility>

#include "protocol/host.h"
#include "scripted_line.h"
#include "sim/camera_engine.h"

namespace cct::test {

// The simulated camera in this process, behind a scripted line on a fake
// clock: each line written is handled by the engine at once, and its answers
// arrive after the engine's answer delay, so a slow or silent camera costs no
// real time. With a host, every text sent goes into its two logs as the
// serial line puts it there.
class EngineLine : public ScriptedLine {
 public:
  explicit EngineLine(FakeClock& clock, Host* host = nullptr)
      : ScriptedLine(clock), clock_(clock), host_(host) {}

  bool Write(const std::string& text) override {
    ScriptedLine::Write(text);
    if (host_ != nullptr) {
      const std::string bare = text.substr(0, text.find_last_not_of("\r\n") + 1);
      host_->LogTerminal("Tx: " + bare);
      host_->LogMessage(bare);
    }
    pending_ += text;
    for (size_t end; (end = pending_.find('\n')) != std::string::npos;) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const uint32_t delay = engine.AnswerDelayMs(line);
      for (const std::string& answer : engine.HandleLine(line, clock_.now)) {
        Arrive(answer + "\r\n", delay);
      }
      engine.ApplyPendingBaudRate();
    }
    return true;
  }

  sim::CameraEngine engine;

 private:
  FakeClock& clock_;
  Host* host_;
  std::string pending_;
};

}  // namespace cct::test
