#include "serial/com_port_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <system_error>

#include "serial/port_map.h"

namespace cct {

namespace {

// A byte handed to the driver may wait this long for room in its queue.
constexpr int kWriteLimitMs = 20000;

bool SpeedOf(int baudRate, speed_t& speed) {
  switch (baudRate) {
    case 1200:
      speed = B1200;
      return true;
    case 2400:
      speed = B2400;
      return true;
    case 4800:
      speed = B4800;
      return true;
    case 9600:
      speed = B9600;
      return true;
    case 19200:
      speed = B19200;
      return true;
    case 38400:
      speed = B38400;
      return true;
    case 57600:
      speed = B57600;
      return true;
    case 115200:
      speed = B115200;
      return true;
    case 230400:
      speed = B230400;
      return true;
    case 460800:
      speed = B460800;
      return true;
    case 921600:
      speed = B921600;
      return true;
    default:
      return false;
  }
}

tcflag_t CharacterSize(int byteSize) {
  switch (byteSize) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

}  // namespace

std::mutex& LineLock() {
  static std::mutex lock;
  return lock;
}

CComPortChannel::CComPortChannel(Host& host) : host_(host) {}

CComPortChannel::~CComPortChannel() {
  ClosePort();
}

void CComPortChannel::ReleaseDevice() {
  if (fd_ >= 0) {
    // A pseudo-terminal keeps the exclusive flag while its other end stays
    // open; clear it so this program can open the port again.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
  }
  if (wakeFd_ >= 0) {
    ::close(wakeFd_);
    wakeFd_ = -1;
  }
}

bool CComPortChannel::Fail(const std::string& portName, const char* step) {
  ReleaseDevice();
  host_.MessageBox("Failed to initialize " + portName + " port!\nError in " + step + "()",
                   kAppCaption, MsgIcon::Warning);
  return false;
}

bool CComPortChannel::OpenPort(const std::string& portName, int baudRate, int byteSize,
                               int stopBitsCode, bool softwareFlow, bool parityCheck) {
  if (IsOpen()) ClosePort();

  // Exclusive access: the flock keeps out other programs (and a second open
  // in this one); TIOCEXCL keeps out plain opens of the device.
  const std::string device = ResolvePortName(portName);
  if (device.empty()) return Fail(portName, "CreateFile");
  fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return Fail(portName, "CreateFile");
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) return Fail(portName, "CreateFile");
  ::ioctl(fd_, TIOCEXCL);

  // The receive thread's wake-up stands where the device event mask would.
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) return Fail(portName, "SetCommMask");

  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0) return Fail(portName, "GetCommState");
  speed_t speed;
  if (!SpeedOf(baudRate, speed)) return Fail(portName, "SetCommState");
  tio.c_iflag &=
      ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
  if (parityCheck) tio.c_iflag |= INPCK;
  if (softwareFlow) tio.c_iflag |= IXON | IXOFF;
  tio.c_oflag &= ~OPOST;
  tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CharacterSize(byteSize) | CLOCAL | CREAD;
  if (stopBitsCode == 2) tio.c_cflag |= CSTOPB;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
  if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return Fail(portName, "SetCommState");
  // tcsetattr succeeds when any one setting took; check that all did.
  termios check{};
  if (::tcgetattr(fd_, &check) != 0 || cfgetospeed(&check) != speed ||
      cfgetispeed(&check) != speed || (check.c_cflag & CSIZE) != CharacterSize(byteSize) ||
      (check.c_cflag & (PARENB | CRTSCTS)) != 0 || (check.c_lflag & ICANON) != 0) {
    return Fail(portName, "SetCommState");
  }

  // DTR high, RTS low. Devices without modem lines (a pseudo-terminal)
  // refuse this, which is no fault.
  int dtr = TIOCM_DTR;
  int rts = TIOCM_RTS;
  ::ioctl(fd_, TIOCMBIS, &dtr);
  ::ioctl(fd_, TIOCMBIC, &rts);

  head_.store(0);
  tail_.store(0);
  running_.store(1);
  hungUp_.store(false);
  try {
    receiver_ = std::thread([this] { ReceiveLoop(); });
  } catch (const std::system_error&) {
    return Fail(portName, "SetCommMask");
  }
  return true;
}

void CComPortChannel::ClosePort() {
  running_.store(0);
  if (wakeFd_ >= 0) {
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
  }
  { std::lock_guard<std::mutex> lock(ringMutex_); }
  spaceFreed_.notify_all();
  if (receiver_.joinable()) receiver_.join();
  ReleaseDevice();
}

int CComPortChannel::Available() const {
  int count = head_.load(std::memory_order_acquire) - tail_.load(std::memory_order_acquire);
  return count < 0 ? count + kRingSize : count;
}

int CComPortChannel::FreeSpace() const {
  return kRingSize - 1 - Available();
}

void CComPortChannel::ReceiveLoop() {
  while (running_.load() == 1) {
    if (FreeSpace() == 0) {
      // Ring full: leave further bytes in the driver until a read makes room.
      std::unique_lock<std::mutex> lock(ringMutex_);
      spaceFreed_.wait(lock, [this] { return running_.load() != 1 || FreeSpace() > 0; });
      continue;
    }
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) break;  // closing
    if (fds[0].revents & POLLIN) DrainInput();
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      // The device is gone (an unplugged adapter): keep what arrived and end
      // here rather than wake up for the hang-up again and again.
      DrainInput();
      hungUp_.store(true);
      break;
    }
  }
}

void CComPortChannel::DrainInput() {
  std::lock_guard<std::mutex> lineLock(LineLock());
  bool any = false;
  for (;;) {
    const int free = FreeSpace();
    if (free == 0) break;
    const int head = head_.load(std::memory_order_relaxed);
    const int chunk = std::min(free, kRingSize - head);
    const ssize_t got = ::read(fd_, ring_ + head, static_cast<size_t>(chunk));
    if (got <= 0) break;
    head_.store((head + static_cast<int>(got)) % kRingSize, std::memory_order_release);
    { std::lock_guard<std::mutex> lock(ringMutex_); }
    dataArrived_.notify_all();
    any = true;
  }
  const int signal = inputSignal_.load();
  if (any && signal >= 0) {
    const uint64_t one = 1;
    (void)!::write(signal, &one, sizeof one);
  }
}

int CComPortChannel::ReadBytes(char* destination, int maximum) {
  if (fd_ < 0 || maximum <= 0) return 0;
  int tail = tail_.load(std::memory_order_relaxed);
  const int head = head_.load(std::memory_order_acquire);
  int copied = 0;
  while (tail != head && copied < maximum) {
    destination[copied++] = ring_[tail];
    tail = (tail + 1) % kRingSize;
  }
  if (copied > 0) {
    tail_.store(tail, std::memory_order_release);
    { std::lock_guard<std::mutex> lock(ringMutex_); }
    spaceFreed_.notify_all();
  }
  return copied;
}

void CComPortChannel::WaitForData(uint32_t limitMs) {
  std::unique_lock<std::mutex> lock(ringMutex_);
  dataArrived_.wait_for(lock, std::chrono::milliseconds(limitMs),
                        [this] { return Available() > 0; });
}

bool CComPortChannel::WriteBytes(const char* data, int count) {
  if (fd_ < 0 || count <= 0) return false;
  std::lock_guard<std::mutex> lineLock(LineLock());
  for (int i = 0; i < count; ++i) {
    // One byte at a time, each transmitted before the next is handed over.
    for (;;) {
      const ssize_t n = ::write(fd_, data + i, 1);
      if (n == 1) break;
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno == EAGAIN) {
        pollfd out{fd_, POLLOUT, 0};
        if (::poll(&out, 1, kWriteLimitMs) == 1 && (out.revents & POLLOUT)) continue;
      }
      break;  // errors of single writes are not examined
    }
    ::tcdrain(fd_);
  }
  return true;
}

}  // namespace cct
