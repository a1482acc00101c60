#include "fake_port.h"

#include <algorithm>
#include <fstream>
#include <utility>

#include "fake_settings.h"

namespace fakecl {

FakePort::FakePort(sim::EngineOptions options) : engine_(std::move(options)) {}

void FakePort::Send(const char* data, size_t count, uint64_t nowMs) {
  for (size_t i = 0; i < count; ++i) {
    if (data[i] == '\r' || data[i] == '\n') {
      if (!line_.empty()) HandleLine(nowMs);
    } else {
      line_.push_back(data[i]);
    }
  }
}

void FakePort::HandleLine(uint64_t nowMs) {
  std::string line = std::exchange(line_, {});
  // A program under test runs the library in its own process; the log is
  // how its test sees what the camera heard.
  if (const std::string log = LogPath(); !log.empty()) {
    std::ofstream(log, std::ios::app) << line << '\n';
  }
  // At another rate the camera receives only noise.
  if (rate_ != engine_.BaudRate()) return;
  std::string bytes;
  for (const std::string& answer : engine_.HandleLine(line, nowMs)) bytes += answer + "\r\n";
  // Answers keep their order: one behind a late answer waits for it.
  const uint64_t readyMs = nowMs + engine_.AnswerDelayMs(line);
  if (!bytes.empty()) delayed_.push_back({readyMs, std::move(bytes)});
  // The answer to a rate change went out at the old rate; now the camera
  // switches.
  engine_.ApplyPendingBaudRate();
}

void FakePort::Release(uint64_t nowMs) {
  while (!delayed_.empty() && delayed_.front().readyMs <= nowMs) {
    const std::string& bytes = delayed_.front().bytes;
    answer_.insert(answer_.end(), bytes.begin(), bytes.end());
    delayed_.pop_front();
  }
}

size_t FakePort::Waiting(uint64_t nowMs) {
  Release(nowMs);
  return answer_.size();
}

bool FakePort::Take(char* buffer, size_t count, uint64_t nowMs) {
  Release(nowMs);
  if (answer_.size() < count) return false;
  std::copy_n(answer_.begin(), count, buffer);
  answer_.erase(answer_.begin(), answer_.begin() + static_cast<std::ptrdiff_t>(count));
  return true;
}

void FakePort::Flush() {
  delayed_.clear();
  answer_.clear();
  line_.clear();
}

}  // namespace fakecl
