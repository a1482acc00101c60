#include "protocol/command.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "protocol/shutdown_request.h"

namespace cct {

namespace {

constexpr const char kComplete[] = "COMPLETE";
constexpr const char kTerminator[] = "\r\n";
constexpr const char kOverflowText[] = "RS-232C receiving buffer overflowed";
// A camera quiet this long has ended its stream: the next overflow is news.
constexpr uint32_t kOverflowQuietMs = 1000;
// Bytes read off before a command: more than any burst a camera sends.
constexpr size_t kWaitingInputMaxBytes = 64 * 1024;
// A line already begun is waited for this long before a command goes out.
constexpr uint32_t kFinishLineMs = 100;
// The quiet asked of a camera that has sent lines between its answers.
constexpr uint32_t kChatterQuietUs = 10000;

// While alive, the command is sent as a text command; its kind is restored
// afterwards even if the exchange leaves early.
class TextKindSwitch {
 public:
  TextKindSwitch(CommandTable& table, int commandId)
      : table_(table), id_(commandId), saved_(table.KindOf(commandId)) {
    table_.SetKind(id_, kKindText);
  }
  ~TextKindSwitch() { table_.SetKind(id_, saved_); }
  TextKindSwitch(const TextKindSwitch&) = delete;
  TextKindSwitch& operator=(const TextKindSwitch&) = delete;

 private:
  CommandTable& table_;
  int id_;
  int saved_;
};

// Hex after "&H": up to eight digits make the 32-bit value; none gives 0.
int32_t ReadHex(const std::string& digits) {
  uint32_t value = 0;
  int used = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      break;
    if (++used > 8) return -1;  // more than 32 bits: all ones, as a saturated read
    value = (value << 4) | static_cast<uint32_t>(d);
  }
  return static_cast<int32_t>(value);
}

// Counts the exchanges under way so the polling timer keeps out of them.
class ExchangeGuard {
 public:
  explicit ExchangeGuard(int& depth) : depth_(depth) { ++depth_; }
  ~ExchangeGuard() { --depth_; }
  ExchangeGuard(const ExchangeGuard&) = delete;
  ExchangeGuard& operator=(const ExchangeGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace

int32_t ReadDecimal(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int64_t value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<int64_t>(INT32_MAX) + 1) value = static_cast<int64_t>(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

Command::Command(Line& line, Host& host, Clock& clock, const Timing& timing, CommandTable& table)
    : line_(line), host_(host), clock_(clock), timing_(timing), table_(table) {}

std::string Command::FormatWrite(int commandId, const CommandValue& value,
                                 bool withTerminator) const {
  std::string text = table_.MnemonicOf(commandId) + "=";
  if (table_.KindOf(commandId) == kKindText) {
    text += value.text;
  } else {
    text += std::to_string(value.integer);
  }
  if (withTerminator) text += kTerminator;
  return text;
}

std::string Command::FormatQuery(int commandId, bool withTerminator) const {
  std::string text = table_.MnemonicOf(commandId) + "?";
  if (withTerminator) text += kTerminator;
  return text;
}

void Command::LogReceived(const std::string& text) {
  host_.LogTerminal("Rx: " + text);
  host_.LogMessage(text);
}

Command::ByteResult Command::TakeByte(char byte, bool log) {
  const uint32_t now = clock_.Ticks();
  if (anyByteSeen_ && TicksSince(lastByteTicks_, now) >= kOverflowQuietMs) overflowBoxArmed_ = true;
  anyByteSeen_ = true;
  lastByteTicks_ = now;
  if (byte == '\n') {
    // The byte before LF is the CR of the terminator; the line is what
    // precedes it. A bare LF therefore costs the line its last character.
    std::string text(buffer_, fill_ > 0 ? fill_ - 1 : 0);
    Queue(text);
    if (log) LogReceived(text);
    fill_ = 0;
    overflowBoxArmed_ = true;
    return ByteResult::kLineEnded;
  }
  buffer_[fill_++] = byte;
  if (fill_ < kBufferSize) return ByteResult::kMore;
  // Restart the buffer before the box: its modal loop runs the polling timer.
  // A stream without line ends would raise a box every 1024 bytes and keep
  // the operator from the menus: later overflows of the run are only listed.
  fill_ = 0;
  if (overflowBoxArmed_) {
    overflowBoxArmed_ = false;
    host_.MessageBox(kOverflowText, kCommErrorCaption, MsgIcon::Warning);
  } else {
    host_.LogMessage(kOverflowText);
  }
  return ByteResult::kOverflowed;
}

bool Command::ReadLineWithin(bool log, uint32_t start, uint32_t waitMs) {
  for (;;) {
    // Past `waitMs` only bytes already there are taken: a line that has
    // arrived is read whole, but a peer that trickles bytes without a line
    // end cannot hold the caller on and on.
    const bool late = TicksSince(start, clock_.Ticks()) >= waitMs;
    char byte = 0;
    const int got = line_.Read(&byte, 1, late ? 0 : timing_.byteReadLimitMs);
    if (got <= 0) return false;
    const ByteResult result = TakeByte(byte, log);
    if (result != ByteResult::kMore) return result == ByteResult::kLineEnded;
  }
}

bool Command::ReadLine(bool log) {
  return ReadLineWithin(log, clock_.Ticks(), timing_.pollingPeriodMs);
}

bool Command::TakeWaitingBytes(size_t& budget) {
  char chunk[256];
  bool lineEnded = false;
  while (budget > 0) {
    const int got = line_.ReadWaiting(chunk, static_cast<int>(std::min(sizeof chunk, budget)));
    if (got <= 0) break;
    budget -= static_cast<size_t>(got);
    for (int i = 0; i < got; ++i) {
      if (TakeByte(chunk[i], true) == ByteResult::kLineEnded) lineEnded = true;
    }
  }
  return lineEnded;
}

void Command::ReadOffWaitingInput() {
  // Bounded: a camera that streams cannot keep the command from going out.
  size_t budget = kWaitingInputMaxBytes;
  TakeWaitingBytes(budget);
  const uint32_t start = clock_.Ticks();
  // A line the camera is in the middle of sending is read to its end, as a
  // look between exchanges would, rather than cut in two by the command.
  while (fill_ > 0 && budget > 0 && TicksSince(start, clock_.Ticks()) < kFinishLineMs &&
         !ShutdownRequested()) {
    const int before = fill_;
    if (ReadLineWithin(true, start, kFinishLineMs) || fill_ == before) break;
  }
  // Where the caller asks for it, the line must also have been quiet a few
  // character times: a camera that follows its answer with another line has
  // begun that line by then. One known to do so gets longer.
  uint32_t quietUs = timing_.quietCharactersBeforeCommand * line_.CharacterTimeUs();
  if (quietUs > 0 && chatterSeen_) quietUs = std::max(quietUs, kChatterQuietUs);
  // A line quiet that long already needs no wait; before the first byte of
  // a run the line may still carry the end of another program's exchange.
  const bool recent =
      !anyByteSeen_ || TicksSince(lastByteTicks_, clock_.Ticks()) <= quietUs / 1000 + 1;
  while (quietUs > 0 && recent && budget > 0 && TicksSince(start, clock_.Ticks()) < kFinishLineMs &&
         !ShutdownRequested() && line_.WaitForInput(quietUs)) {
    TakeWaitingBytes(budget);
  }
  // A line cut off by the command is listed too: nothing received vanishes
  // unseen.
  if (fill_ > 0) LogReceived(std::string(buffer_, fill_));
  if (fill_ > 0 || !queue_.empty()) chatterSeen_ = true;
  ClearReceived();
}

void Command::Queue(const std::string& line) {
  queue_.push_back(line);
  queuedBytes_ += line.size();
  while (queue_.size() > kQueueMaxLines || (queuedBytes_ > kQueueMaxBytes && queue_.size() > 1)) {
    queuedBytes_ -= queue_.front().size();
    queue_.pop_front();
  }
}

std::string Command::TakeLine() {
  if (queue_.empty()) return std::string();
  std::string line = std::move(queue_.front());
  queue_.pop_front();
  queuedBytes_ -= line.size();
  return line;
}

void Command::ClearReceived() {
  fill_ = 0;
  queue_.clear();
  queuedBytes_ = 0;
}

bool Command::WaitForLine(uint32_t limitMs) {
  const uint32_t start = clock_.Ticks();
  lastTimedOut_ = false;
  if (timing_.answerAtLineEnd) return WaitForLineEnd(start, limitMs);
  clock_.Sleep(timing_.answerPollMs);
  // Each look may wait for bytes until one step past the limit, when the
  // check after it ends the wait.
  const uint32_t waitMs =
      limitMs > UINT32_MAX - timing_.answerPollMs ? UINT32_MAX : limitMs + timing_.answerPollMs;
  while (!ReadLineWithin(true, start, waitMs)) {
    // A program asked to end waits for no answer: it counts as none.
    if (TicksSince(start, clock_.Ticks()) >= limitMs || ShutdownRequested()) {
      lastTimedOut_ = true;
      return false;
    }
    clock_.Sleep(timing_.answerPollMs);
  }
  return true;
}

bool Command::WaitForLineEnd(uint32_t start, uint32_t limitMs) {
  for (;;) {
    size_t budget = kBufferSize;
    if (TakeWaitingBytes(budget)) return true;
    const uint32_t elapsed = TicksSince(start, clock_.Ticks());
    if (elapsed >= limitMs || ShutdownRequested()) {
      lastTimedOut_ = true;
      return false;
    }
    // Woken by the line's input; at least every answer step, so a shutdown
    // request is seen without any byte arriving.
    const uint32_t waitMs =
        std::max<uint32_t>(1, std::min(limitMs - elapsed, timing_.answerPollMs));
    line_.WaitForInput(waitMs * 1000);
  }
}

bool Command::WaitComplete(uint32_t limitMs) {
  ExchangeGuard guard(exchanging_);
  host_.BeginBusy();
  if (!WaitForLine(limitMs)) {
    host_.EndBusy();
    host_.SetOnline(false);
    return false;
  }
  const std::string answer = TakeLine();
  if (answer.compare(0, sizeof(kComplete) - 1, kComplete) == 0) {
    host_.EndBusy();
    host_.SetOnline(true);
    return true;
  }
  host_.EndBusy();
  host_.MessageBox(answer, kCommErrorCaption, MsgIcon::Warning);
  host_.SetOnline(true);
  return false;
}

bool Command::WriteExchange(int commandId, const CommandValue& value, uint32_t limitMs) {
  // An id outside the table has no mnemonic: "=value" would mean nothing to
  // the camera.
  if (table_.MnemonicOf(commandId).empty()) {
    lastTimedOut_ = false;
    return false;
  }
  ExchangeGuard guard(exchanging_);
  ReadOffWaitingInput();
  // Once the program is asked to end nothing more goes to the camera.
  if (ShutdownRequested() || !line_.Write(FormatWrite(commandId, value, true))) {
    lastTimedOut_ = true;  // nothing went out, so nothing can answer
    return false;
  }
  return WaitComplete(limitMs);
}

bool Command::SendValue(int commandId, int32_t value, uint32_t limitMs) {
  CommandValue v;
  v.kind = kKindInteger;
  v.integer = value;
  return WriteExchange(commandId, v, limitMs);
}

bool Command::SendText(int commandId, const std::string& text, uint32_t limitMs) {
  TextKindSwitch asText(table_, commandId);
  CommandValue v;
  v.kind = kKindText;
  v.text = text;
  return WriteExchange(commandId, v, limitMs);
}

bool Command::QueryExchange(int commandId, Reply& reply, uint32_t limitMs) {
  const std::string& mnemonic = table_.MnemonicOf(commandId);
  lastTimedOut_ = false;
  if (mnemonic.empty()) return false;
  if (ShutdownRequested()) {
    lastTimedOut_ = true;
    return false;
  }
  ExchangeGuard guard(exchanging_);
  ReadOffWaitingInput();
  const std::string query = FormatQuery(commandId, true);
  line_.Write(query);
  if (!WaitForLine(limitMs)) {
    host_.SetOnline(false);
    return false;
  }
  const std::string answer = TakeLine();
  ParseReply(answer, reply);
  if (reply.error == 0 && reply.mnemonic == mnemonic) {
    host_.SetOnline(true);
    return true;
  }
  host_.MessageBox(reply.raw + " for " + FormatQuery(commandId, false), kCommErrorCaption,
                   MsgIcon::Warning);
  return false;
}

bool Command::QueryValue(int commandId, int32_t& value, uint32_t limitMs) {
  Reply reply;
  if (!QueryExchange(commandId, reply, limitMs)) return false;
  value = reply.value.integer;
  return true;
}

bool Command::QueryText(int commandId, std::string& text, uint32_t limitMs) {
  Reply reply;
  if (!QueryExchange(commandId, reply, limitMs)) return false;
  text = reply.value.text;
  return true;
}

bool Command::ParseReply(const std::string& line, Reply& reply) const {
  reply = Reply();
  for (char c : line) {
    if (c != ' ' && c != '\r' && c != '\n') reply.raw += c;
  }
  size_t at = reply.raw.find('=');
  if (at == std::string::npos) at = reply.raw.find('?');
  if (at == std::string::npos) {
    reply.error = 1;
    return false;
  }
  reply.mnemonic = reply.raw.substr(0, at);
  reply.op = reply.raw.substr(at, 1);
  const std::string rest = reply.raw.substr(at + 1);
  if (reply.op == "=") {
    const size_t comma = rest.find(',');
    if (comma != std::string::npos) {
      reply.firstText = rest.substr(0, comma);
      reply.secondText = rest.substr(comma + 1);
      reply.firstInteger = ReadDecimal(reply.firstText);
      reply.valueCount = 2;
    } else {
      reply.firstText = rest;
      reply.valueCount = 1;
    }
  } else {
    reply.firstText = rest;
    reply.valueCount = rest.empty() ? 0 : 1;
  }
  reply.commandId = table_.Lookup(reply.mnemonic);
  if (reply.commandId < 0) {
    reply.error = 1;
    return false;
  }
  reply.value.kind = table_.KindOf(reply.commandId);
  if (reply.value.kind == kKindText) {
    reply.value.text = reply.firstText;
  } else if (reply.firstText.compare(0, 2, "&H") == 0) {
    reply.value.integer = ReadHex(reply.firstText.substr(2));
  } else {
    reply.value.integer = ReadDecimal(reply.firstText);
  }
  reply.error = 0;
  return true;
}

bool Command::ParseReplyFields(const std::string& line, int& commandId, std::string& mnemonic,
                               int32_t& integer, std::string& text) const {
  Reply reply;
  if (!ParseReply(line, reply)) return false;
  commandId = reply.commandId;
  mnemonic = reply.mnemonic;
  integer = reply.value.integer;
  text = reply.value.text;
  return true;
}

void Command::StartPolling(PollingTimer& timer) {
  pollingTimer_ = &timer;
  timer.Start(timing_.pollingPeriodMs, [this] { OnPollTimer(); });
}

void Command::OnPollTimer() {
  // A message box shown during an exchange runs a modal loop, and with it
  // this timer; the exchange owns the receive buffer until it returns.
  if (exchanging_ > 0) return;
  // Nothing has come and no line is on its way: the window's thread does not
  // wait out a byte limit every tick. A line being received is read on.
  if (fill_ == 0 && !line_.InputPending()) {
    // A line that says when bytes come lets the timer sleep till then: an
    // idle tool wakes up for nothing.
    const int signal = line_.InputSignal();
    if (signal >= 0 && pollingTimer_) pollingTimer_->WaitForSignal(signal);
    return;
  }
  ExchangeGuard guard(exchanging_);
  ReadLine(true);
}

}  // namespace cct
