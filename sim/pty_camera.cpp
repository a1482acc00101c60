#include "sim/pty_camera.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "serial/port_map.h"

namespace sim {

namespace {

namespace fs = std::filesystem;

// Longer than any line the host can take (1024 bytes) but well short of
// unbounded memory for a host that never sends LF.
constexpr size_t kMaxLineBytes = 4096;
constexpr size_t kLongLineBytes = 1100;
// A streaming camera's characters go out this many at a time.
constexpr size_t kStreamChunk = 64;

uint64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B0;
  }
}

void SetError(std::string* error, const std::string& what) {
  if (error != nullptr) *error = what;
}

std::string Errno(const char* call) {
  return std::string(call) + ": " + std::strerror(errno);
}

void AddNs(timespec& t, long ns) {
  t.tv_nsec += ns;
  while (t.tv_nsec >= 1000000000L) {
    t.tv_nsec -= 1000000000L;
    ++t.tv_sec;
  }
}

}  // namespace

PtyCamera::PtyCamera(PtyOptions options) : options_(std::move(options)), engine_(options_.engine) {}

PtyCamera::~PtyCamera() {
  Stop();
}

bool PtyCamera::Start(std::string* error) {
  if (thread_.joinable()) {
    SetError(error, "already started");
    return false;
  }
  cct::UniqueFd master(posix_openpt(O_RDWR | O_NOCTTY));
  if (!master.Valid()) {
    SetError(error, Errno("posix_openpt"));
    return false;
  }
  if (grantpt(master.Get()) != 0 || unlockpt(master.Get()) != 0) {
    SetError(error, Errno("grantpt/unlockpt"));
    return false;
  }
  char name[128];
  if (ptsname_r(master.Get(), name, sizeof name) != 0) {
    SetError(error, Errno("ptsname_r"));
    return false;
  }
  fcntl(master.Get(), F_SETFD, FD_CLOEXEC);
  fcntl(master.Get(), F_SETFL, fcntl(master.Get(), F_GETFL) | O_NONBLOCK);

  cct::UniqueFd slave(open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
  if (!slave.Valid()) {
    SetError(error, Errno("open pty slave"));
    return false;
  }
  // A serial port as the host expects to find it: raw, 8N1, 9600 bit/s.
  termios tio{};
  if (tcgetattr(slave.Get(), &tio) != 0) {
    SetError(error, Errno("tcgetattr"));
    return false;
  }
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  if (tcsetattr(slave.Get(), TCSANOW, &tio) != 0) {
    SetError(error, Errno("tcsetattr"));
    return false;
  }
  cct::UniqueFd wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!wake.Valid()) {
    SetError(error, Errno("eventfd"));
    return false;
  }

  slavePath_ = name;
  master_ = std::move(master);
  slaveKeeper_ = std::move(slave);
  wake_ = std::move(wake);
  if (!options_.portName.empty() && !CreateLink(error)) {
    master_.Reset();
    slaveKeeper_.Reset();
    wake_.Reset();
    return false;
  }
  stopRequested_ = false;
  hangUpRequested_ = false;
  {
    std::lock_guard lock(mutex_);
    hungUp_ = false;
  }
  thread_ = std::thread([this] { Run(); });
  if (options_.hangUpAfterLines == 0) HangUp();
  return true;
}

void PtyCamera::Stop() {
  if (thread_.joinable()) {
    stopRequested_ = true;
    Wake();
    thread_.join();
  }
  master_.Reset();
  slaveKeeper_.Reset();
  wake_.Reset();
  RemoveLink();
}

void PtyCamera::HangUp() {
  if (!thread_.joinable()) {
    master_.Reset();
    slaveKeeper_.Reset();
    std::lock_guard lock(mutex_);
    hungUp_ = true;
    return;
  }
  // The thread owns the master while it runs; it closes it between bytes.
  hangUpRequested_ = true;
  Wake();
  std::unique_lock lock(mutex_);
  hungUpChanged_.wait(lock, [this] { return hungUp_; });
}

std::vector<std::string> PtyCamera::ReceivedLines() const {
  std::lock_guard lock(mutex_);
  return received_;
}

uint64_t PtyCamera::DiscardedBytes() const {
  std::lock_guard lock(mutex_);
  return discardedBytes_;
}

bool PtyCamera::HungUp() const {
  std::lock_guard lock(mutex_);
  return hungUp_;
}

int PtyCamera::BaudRate() const {
  std::lock_guard lock(mutex_);
  return engine_.BaudRate();
}

void PtyCamera::WithEngine(const std::function<void(CameraEngine&)>& f) {
  std::lock_guard lock(mutex_);
  f(engine_);
}

void PtyCamera::Run() {
  const uint32_t period = options_.unsolicitedPeriodMs;
  uint64_t nextEventMs = NowMs() + period;
  bool streamStalled = false;
  while (!stopRequested_) {
    if (hangUpRequested_) DoHangUp();
    const bool open = master_.Valid();
    // Sleep until input or a wake-up; a timeout only when an event line is due.
    int timeoutMs = -1;
    if (period > 0 && open) {
      const uint64_t now = NowMs();
      timeoutMs = nextEventMs > now ? static_cast<int>(nextEventMs - now) : 0;
    }
    // A camera that streams sends its next characters after a short look at
    // the line (or after a pause when the host does not take them).
    if (options_.streamWithoutLineEnds && open) timeoutMs = streamStalled ? 10 : 0;
    // A camera that stopped reading leaves the host's bytes in the pty, whose
    // buffer fills until the host's writes stall.
    const bool reading =
        options_.stopReadingAfterBytes < 0 || bytesRead_ < options_.stopReadingAfterBytes;
    pollfd fds[2] = {{open ? master_.Get() : -1, static_cast<short>(reading ? POLLIN : 0), 0},
                     {wake_.Get(), POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) < 0) {
      if (errno == EINTR) continue;
      DoHangUp();  // the camera is gone; HangUp() must not wait for it
      break;
    }
    if (fds[1].revents != 0) {
      uint64_t count;
      while (read(wake_.Get(), &count, sizeof count) > 0) {
      }
    }
    if (fds[0].revents & POLLIN) {
      ReadInput();
    } else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      // Not expected while the slave keeper is open; stop watching the
      // master rather than wake up again and again.
      DoHangUp();
    }
    if (options_.streamWithoutLineEnds && master_.Valid()) {
      streamStalled = !WriteBytes(std::string(kStreamChunk, 'x'), BaudRate());
    }
    if (period > 0 && master_.Valid() && NowMs() >= nextEventMs) {
      std::string event = "EVENT=" + std::to_string(++eventCount_);
      if (event.size() < options_.unsolicitedLength) event.resize(options_.unsolicitedLength, '.');
      SendLine(event, false);
      nextEventMs = std::max(nextEventMs + period, NowMs());
    }
  }
}

void PtyCamera::ReadInput() {
  char buffer[512];
  size_t want = sizeof buffer;
  if (options_.stopReadingAfterBytes >= 0) {
    want =
        static_cast<size_t>(std::min<int64_t>(want, options_.stopReadingAfterBytes - bytesRead_));
    if (want == 0) return;
  }
  const ssize_t n = read(master_.Get(), buffer, want);
  if (n < 0) {
    if (errno != EAGAIN && errno != EINTR) DoHangUp();
    return;
  }
  bytesRead_ += n;
  if (!LineSpeedMatches()) {
    // At another speed the camera's UART sees only framing errors. The line
    // being assembled is spoiled too.
    std::lock_guard lock(mutex_);
    discardedBytes_ += static_cast<uint64_t>(n);
    lineBuffer_.clear();
    droppingLine_ = false;
    return;
  }
  for (ssize_t i = 0; i < n && !hangUpRequested_ && !stopRequested_; ++i) {
    const char c = buffer[i];
    if (c == '\n') {
      if (!droppingLine_) {
        if (!lineBuffer_.empty() && lineBuffer_.back() == '\r') lineBuffer_.pop_back();
        HandleReceivedLine(lineBuffer_);
      }
      lineBuffer_.clear();
      droppingLine_ = false;
    } else if (!droppingLine_) {
      lineBuffer_.push_back(c);
      if (lineBuffer_.size() > kMaxLineBytes) {
        lineBuffer_.clear();
        droppingLine_ = true;  // until the next LF
      }
    }
  }
}

bool PtyCamera::LineSpeedMatches() {
  // Linux applies termios requests on the master to the slave, so this reads
  // the speed the host set on its end.
  termios tio{};
  if (tcgetattr(master_.Get(), &tio) != 0) return false;
  const speed_t want = SpeedOf(BaudRate());
  const speed_t in = cfgetispeed(&tio);
  return cfgetospeed(&tio) == want && (in == want || in == B0);
}

void PtyCamera::HandleReceivedLine(const std::string& line) {
  std::vector<std::string> answers;
  uint32_t delayMs = 0;
  {
    std::lock_guard lock(mutex_);
    received_.push_back(line);
    ++linesReceived_;
    // The cable is pulled as this line comes in: it gets no answer. Pulling
    // it after an answer instead would race the kernel, which discards what
    // the host has not read yet.
    if (options_.hangUpAfterLines >= 0 && linesReceived_ >= options_.hangUpAfterLines) {
      hangUpRequested_ = true;
      return;
    }
    answers = engine_.HandleLine(line, NowMs());
    delayMs = engine_.AnswerDelayMs(line);
  }
  // Whatever the host sends meanwhile waits in the pty and is read afterwards.
  if (!answers.empty() && delayMs > 0 && !SleepUntil(NowMs() + delayMs)) return;
  for (const std::string& answer : answers) SendLine(answer, true);
  // A camera that adds an event, an echo or a repeated answer after each one.
  if (!answers.empty() && !options_.extraLine.empty()) SendLine(options_.extraLine, false);
  // The answer to "CBDRT" went out at the old rate; now switch.
  std::lock_guard lock(mutex_);
  engine_.ApplyPendingBaudRate();
}

// False when Stop() or HangUp() cut the wait short; Run() then acts on it.
bool PtyCamera::SleepUntil(uint64_t deadlineMs) {
  while (!stopRequested_ && !hangUpRequested_) {
    const uint64_t now = NowMs();
    if (now >= deadlineMs) return true;
    pollfd wake{wake_.Get(), POLLIN, 0};
    if (poll(&wake, 1, static_cast<int>(std::min<uint64_t>(deadlineMs - now, 60000))) > 0) {
      uint64_t count;
      while (read(wake_.Get(), &count, sizeof count) > 0) {
      }
    }
  }
  return false;
}

void PtyCamera::SendLine(const std::string& text, bool isAnswer) {
  std::string bytes;
  if (isAnswer && options_.longLines) {
    bytes.reserve(kLongLineBytes + 2);
    for (size_t i = 0; i < kLongLineBytes; ++i) bytes.push_back(static_cast<char>('0' + i % 10));
  } else {
    bytes = text;
  }
  bytes += options_.lfOnly ? "\n" : "\r\n";
  WriteBytes(bytes, BaudRate());
}

bool PtyCamera::WriteBytes(const std::string& bytes, int baud) {
  const int fd = master_.Get();
  if (!options_.pace) {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;  // nobody drains the line: the rest is lost, as on a wire
      done += static_cast<size_t>(n);
    }
    return true;
  }
  // One start bit, eight data bits, one stop bit per byte, on an absolute
  // schedule so sleeping late does not add up.
  const long byteNs = 10L * 1000000000L / baud;
  timespec next{};
  clock_gettime(CLOCK_MONOTONIC, &next);
  for (const char c : bytes) {
    if (stopRequested_ || hangUpRequested_) return false;
    ssize_t n;
    do {
      n = write(fd, &c, 1);
    } while (n < 0 && errno == EINTR);
    if (n != 1) return false;
    AddNs(next, byteNs);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) {
    }
  }
  return true;
}

void PtyCamera::DoHangUp() {
  hangUpRequested_ = false;
  if (!master_.Valid()) return;
  master_.Reset();
  slaveKeeper_.Reset();
  {
    std::lock_guard lock(mutex_);
    hungUp_ = true;
  }
  hungUpChanged_.notify_all();
  if (options_.onHangUp) options_.onHangUp();
}

void PtyCamera::Wake() {
  const uint64_t one = 1;
  if (wake_.Valid()) (void)!write(wake_.Get(), &one, sizeof one);
}

bool PtyCamera::CreateLink(std::string* error) {
  const fs::path folder = cct::PortMapFolder();
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    SetError(error, "cannot create " + folder.string() + ": " + ec.message());
    return false;
  }
  const fs::path link = folder / options_.portName;
  const fs::file_status status = fs::symlink_status(link, ec);
  if (fs::exists(status) && !fs::is_symlink(status)) {
    SetError(error, link.string() + " exists and is not a link");
    return false;
  }
  // A stale link of an earlier run is replaced in one step.
  const fs::path temp = folder / ("." + options_.portName + ".new." + std::to_string(getpid()));
  fs::remove(temp, ec);
  fs::create_symlink(slavePath_, temp, ec);
  if (!ec) fs::rename(temp, link, ec);
  if (ec) {
    fs::remove(temp, ec);
    SetError(error, "cannot link " + link.string() + ": " + ec.message());
    return false;
  }
  linkPath_ = link.string();
  return true;
}

void PtyCamera::RemoveLink() {
  if (linkPath_.empty()) return;
  // Only our own link: another simulator may have taken the name since.
  std::error_code ec;
  if (fs::read_symlink(linkPath_, ec) == fs::path(slavePath_)) fs::remove(linkPath_, ec);
}

}  // namespace sim
