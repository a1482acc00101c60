// Camera answers through the command exchange. Every byte the camera sends is
// the input; queries, writes, the polling timer and the reply parser take the
// bytes as they come, on a fake clock that starts just before the tick wrap.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>

#include "fuzz_check.h"
#include "protocol/command.h"
#include "support/fake_clock.h"

namespace {

using namespace cct;

// The camera's side: the input arrives as fast as it is read. Once it is all
// read, every read waits out its limit, as with a silent camera.
class InputLine : public Line {
 public:
  InputLine(const uint8_t* data, size_t size, test::FakeClock& clock)
      : data_(data), size_(size), clock_(clock) {}

  int Read(char* buffer, int count, uint32_t limitMs) override {
    FUZZ_CHECK(buffer != nullptr && count > 0);
    const size_t n = std::min(static_cast<size_t>(count), size_ - at_);
    if (n == 0) {
      clock_.Advance(limitMs);
      return 0;
    }
    std::memcpy(buffer, data_ + at_, n);
    at_ += n;
    return static_cast<int>(n);
  }

  // The input is what the camera answers: none of it waits before a command.
  int ReadWaiting(char*, int) override { return 0; }
  bool WaitForInput(uint32_t limitUs) override {
    if (at_ < size_) return true;
    clock_.Advance((limitUs + 999) / 1000);
    return false;
  }

  bool Write(const std::string& text) override {
    FUZZ_CHECK(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0);
    FUZZ_CHECK(text.find_first_of("\r\n") == text.size() - 2);
    lastWriteFailed = failNextWrite;
    failNextWrite = false;
    return !lastWriteFailed;
  }

  bool Drained() const { return at_ == size_; }

  bool failNextWrite = false;
  bool lastWriteFailed = false;

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
  test::FakeClock& clock_;
};

// Shows nothing; like a modal box, each box runs the polling timer once.
class PollingHost : public NullHost {
 public:
  MsgResult MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgButtons buttons) override {
    FUZZ_CHECK(!inBox);  // the exchange keeps the polling timer out of its buffer
    inBox = true;
    if (command != nullptr) command->OnPollTimer();
    inBox = false;
    return NullHost::MessageBox(text, caption, icon, buttons);
  }
  void BeginBusy() override { ++busy; }
  void EndBusy() override { --busy; }

  Command* command = nullptr;
  int busy = 0;
  bool inBox = false;
};

// ReadDecimal as its comment says: sign, leading digits, saturated at 32 bits.
int32_t ExpectedDecimal(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min<int64_t>(magnitude * 10 + (text[i] - '0'), int64_t{1} << 40);
  }
  const int64_t value = negative ? -magnitude : magnitude;
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// "&H" values: up to eight hex digits; more are all ones.
int32_t ExpectedHex(const std::string& digits) {
  const size_t n = std::min(digits.find_first_not_of("0123456789abcdefABCDEF"), digits.size());
  if (n > 8) return -1;
  return n == 0 ? 0 : static_cast<int32_t>(std::stoul(digits.substr(0, n), nullptr, 16));
}

void CheckReply(const Command& command, const std::string& line) {
  Reply reply;
  const bool parsed = command.ParseReply(line, reply);
  FUZZ_CHECK(parsed == (reply.error == 0));
  FUZZ_CHECK(reply.raw.find_first_of(" \r\n") == std::string::npos);
  FUZZ_CHECK(reply.raw.size() <= line.size());
  if (!parsed) return;

  const CommandTable& table = TheCommandTable();
  FUZZ_CHECK(reply.commandId >= 0 && reply.commandId < kCommandCount);
  FUZZ_CHECK(table.MnemonicOf(reply.commandId) == reply.mnemonic);
  FUZZ_CHECK(reply.op == "=" || reply.op == "?");
  FUZZ_CHECK(reply.mnemonic.find_first_of("=?") == std::string::npos);
  const std::string rest = reply.raw.substr(reply.mnemonic.size() + 1);
  if (reply.valueCount == 2) {
    FUZZ_CHECK(reply.op == "=");
    FUZZ_CHECK(reply.firstText + "," + reply.secondText == rest);
    FUZZ_CHECK(reply.firstText.find(',') == std::string::npos);
    FUZZ_CHECK(reply.firstInteger == ExpectedDecimal(reply.firstText));
  } else {
    FUZZ_CHECK(reply.firstText == rest);
    FUZZ_CHECK(reply.valueCount == (rest.empty() && reply.op == "?" ? 0 : 1));
  }
  FUZZ_CHECK(reply.value.kind == table.KindOf(reply.commandId));
  if (reply.value.kind == kKindText) {
    FUZZ_CHECK(reply.value.text == reply.firstText);
  } else if (reply.firstText.compare(0, 2, "&H") == 0) {
    FUZZ_CHECK(reply.value.integer == ExpectedHex(reply.firstText.substr(2)));
  } else {
    FUZZ_CHECK(reply.value.integer == ExpectedDecimal(reply.firstText));
  }

  int commandId = -2;
  std::string mnemonic;
  int32_t integer = 0;
  std::string text;
  FUZZ_CHECK(command.ParseReplyFields(line, commandId, mnemonic, integer, text));
  FUZZ_CHECK(commandId == reply.commandId && mnemonic == reply.mnemonic &&
             integer == reply.value.integer && text == reply.value.text);
}

constexpr int32_t kValues[] = {0, 100, -1, INT32_MIN, INT32_MAX};
constexpr uint32_t kLimitsMs[] = {1000, 0, 300, 5000};
constexpr int kMaxSteps = 512;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(ReadDecimal(bytes) == ExpectedDecimal(bytes));

  test::FakeClock clock(0xFFFFFFFFu - 4000);
  InputLine line(data, size, clock);
  PollingHost host;
  const Timing timing;
  Command command(line, host, clock, timing);
  host.command = &command;

  // The parser on the input as one line and on each of its lines.
  CheckReply(command, bytes);
  for (size_t start = 0; start < bytes.size();) {
    const size_t end = std::min(bytes.find('\n', start), bytes.size());
    CheckReply(command, bytes.substr(start, end - start));
    start = end + 1;
  }

  // Exchanges in a fixed round, through every command id and one beyond,
  // until the camera has nothing more to say; then once more in silence.
  CommandTable& table = TheCommandTable();
  bool silent = false;
  for (int step = 0; step < kMaxSteps && !silent; ++step) {
    silent = line.Drained();
    const int id = step % (kCommandCount + 1);
    const uint32_t limit = kLimitsMs[step % std::size(kLimitsMs)];
    const int kind = table.KindOf(id);
    line.failNextWrite = step % 7 == 6;
    line.lastWriteFailed = false;
    const uint32_t start = clock.Ticks();
    bool sent = true;  // whether the exchange put a line on the wire
    switch (step % 6) {
      case 0: {
        int32_t value = 12345;
        if (!command.QueryValue(id, value, limit)) FUZZ_CHECK(value == 12345);
        sent = id < kCommandCount;
        break;
      }
      case 1: {
        std::string text = "unchanged";
        if (command.QueryText(id, text, limit)) {
          FUZZ_CHECK(text.find_first_of(" \r\n") == std::string::npos);
        } else {
          FUZZ_CHECK(text == "unchanged");
        }
        sent = id < kCommandCount;
        break;
      }
      case 2:
        command.SendValue(id, kValues[step % std::size(kValues)], limit);
        break;
      case 3:
        command.SendText(id, "QX-2040L-RTN", limit);
        FUZZ_CHECK(table.KindOf(id) == kind);  // the text write's kind switch is undone
        break;
      case 4:
        command.OnPollTimer();
        sent = false;
        break;
      case 5:
        command.WaitComplete(limit);
        break;
    }
    FUZZ_CHECK(host.busy == 0);
    FUZZ_CHECK(command.FillPosition() >= 0 && command.FillPosition() < Command::kBufferSize);
    // A time-out means the whole limit passed, also across the tick wrap.
    if (sent && !line.lastWriteFailed && command.LastTimedOut()) {
      FUZZ_CHECK(TicksSince(start, clock.Ticks()) >= limit);
    }
    while (command.QueuedLines() > 0) {
      const std::string queued = command.TakeLine();
      FUZZ_CHECK(queued.size() < static_cast<size_t>(Command::kBufferSize));
      CheckReply(command, queued);
    }
  }
  return 0;
}
