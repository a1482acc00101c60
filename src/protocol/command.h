#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "protocol/clock.h"
#include "protocol/command_table.h"
#include "protocol/host.h"
#include "protocol/line.h"
#include "protocol/timing.h"

namespace cct {

// A command's value: an integer or a text, as the command's kind says.
struct CommandValue {
  int kind = kKindInteger;
  int32_t integer = 0;
  std::string text;
};

// One received line split into its parts.
struct Reply {
  std::string raw;           // the line without any space, CR or LF
  std::string mnemonic;      // text before the operator
  std::string op;            // "=" or "?"
  std::string firstText;     // after the operator, up to a comma
  std::string secondText;    // after the first comma
  int valueCount = 0;        // 0 nothing after "?", 1 one value, 2 two values
  int commandId = -1;        // row of the command table, -1 when none
  int32_t firstInteger = 0;  // first value as a decimal, set with two values only
  int error = 0;             // 1 when the line does not parse or names no command
  CommandValue value;
};

// Reads a decimal integer the way the camera's numbers are read: optional
// sign, digits up to the first non-digit, none gives 0. Saturates at the
// 32-bit limits instead of overflowing.
int32_t ReadDecimal(const std::string& text);

// Every camera exchange goes through this object: it turns a command id and a
// value into one line, sends it, waits for the camera's one-line answer and
// interprets it. All on the user-interface thread; each exchange blocks it.
class Command {
 public:
  static constexpr int kBufferSize = 1024;
  // Lines read between exchanges wait here for the next one, which clears
  // them; a camera that chatters meanwhile keeps only its newest lines.
  static constexpr size_t kQueueMaxLines = 64;
  static constexpr size_t kQueueMaxBytes = 16 * 1024;

  Command(Line& line, Host& host, Clock& clock, const Timing& timing,
          CommandTable& table = TheCommandTable());

  bool SendValue(int commandId, int32_t value, uint32_t limitMs);
  bool SendText(int commandId, const std::string& text, uint32_t limitMs);
  bool QueryValue(int commandId, int32_t& value, uint32_t limitMs);
  bool QueryText(int commandId, std::string& text, uint32_t limitMs);
  bool WaitComplete(uint32_t limitMs);

  std::string FormatWrite(int commandId, const CommandValue& value, bool withTerminator) const;
  std::string FormatQuery(int commandId, bool withTerminator) const;

  // Moves received bytes into the receive buffer; true when a line was queued.
  // A camera that keeps sending without a line end holds it no longer than
  // one polling period; the partial line stays for the next call.
  bool ReadLine(bool log);
  std::string TakeLine();
  bool ParseReply(const std::string& line, Reply& reply) const;
  bool ParseReplyFields(const std::string& line, int& commandId, std::string& mnemonic,
                        int32_t& integer, std::string& text) const;
  void ClearReceived();
  // Reads off whatever the camera sent before a command goes out (an event
  // line, an answer repeated, an echo), logs it as received and drops it, so
  // that it is never taken for the command's answer.
  void ReadOffWaitingInput();

  // Reads lines the camera sends between exchanges, on the owner's timer.
  void StartPolling(PollingTimer& timer);
  void OnPollTimer();

  // True when the last exchange ended without any answer from the camera (or
  // could not be sent), false when it was answered, refused or not.
  bool LastTimedOut() const { return lastTimedOut_; }

  // The clock the exchanges wait on.
  Clock& GetClock() const { return clock_; }

  // For tests and diagnostics.
  int FillPosition() const { return fill_; }
  size_t QueuedLines() const { return queue_.size(); }
  size_t QueuedBytes() const { return queuedBytes_; }

 private:
  bool WaitForLine(uint32_t limitMs);
  // The wait of Timing::answerAtLineEnd.
  bool WaitForLineEnd(uint32_t start, uint32_t limitMs);
  // Takes the bytes that have arrived, at most `budget` of them (counted
  // down); true when a line ended among them.
  bool TakeWaitingBytes(size_t& budget);
  // ReadLine that waits for further bytes only until `waitMs` after `start`.
  bool ReadLineWithin(bool log, uint32_t start, uint32_t waitMs);
  // A received line into the terminal list ("Rx: ") and the message list.
  void LogReceived(const std::string& text);
  enum class ByteResult { kMore, kLineEnded, kOverflowed };
  // One received byte into the buffer.
  ByteResult TakeByte(char byte, bool log);
  void Queue(const std::string& line);
  bool WriteExchange(int commandId, const CommandValue& value, uint32_t limitMs);
  bool QueryExchange(int commandId, Reply& reply, uint32_t limitMs);

  Line& line_;
  Host& host_;
  Clock& clock_;
  const Timing& timing_;
  CommandTable& table_;
  char buffer_[kBufferSize] = {};
  int fill_ = 0;
  std::deque<std::string> queue_;
  size_t queuedBytes_ = 0;
  int exchanging_ = 0;  // exchanges under way; polling waits for them
  PollingTimer* pollingTimer_ = nullptr;
  bool lastTimedOut_ = false;
  // A stream without line ends overflows the buffer again and again: one box
  // for a run of overflows, until a line ends or the camera is quiet a while.
  bool overflowBoxArmed_ = true;
  bool anyByteSeen_ = false;
  bool chatterSeen_ = false;  // lines came that answered nothing
  uint32_t lastByteTicks_ = 0;
};

}  // namespace cct
