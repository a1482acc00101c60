#include "serial/tty_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "protocol/shutdown_request.h"
#include "serial/wait_ready.h"

namespace cct {

namespace {

using SteadyClock = std::chrono::steady_clock;

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

// Closes a descriptor that did not become a device.
void Release(int fd) {
  // A pseudo-terminal keeps the exclusive flag while its other end stays
  // open; clear it so this program can open the port again.
  ::ioctl(fd, TIOCNXCL);
  ::close(fd);
}

}  // namespace

std::unique_ptr<TtyDevice> TtyDevice::Open(const std::string& device, int baudRate, int byteSize,
                                           int stopBitsCode, bool softwareFlow, bool parityCheck,
                                           const char*& failedStep) {
  failedStep = "CreateFile";
  if (device.empty()) return nullptr;
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return nullptr;
  }
  ::ioctl(fd, TIOCEXCL);
  std::unique_ptr<TtyDevice> port(new TtyDevice(fd, baudRate));

  termios tio{};
  failedStep = "GetCommState";
  if (::tcgetattr(fd, &tio) != 0) return nullptr;
  failedStep = "SetCommState";
  speed_t speed;
  if (!SpeedOf(baudRate, speed)) return nullptr;
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
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) return nullptr;
  // tcsetattr succeeds when any one setting took; check that all did.
  termios check{};
  if (::tcgetattr(fd, &check) != 0 || cfgetospeed(&check) != speed ||
      cfgetispeed(&check) != speed || (check.c_cflag & CSIZE) != CharacterSize(byteSize) ||
      (check.c_cflag & (PARENB | CRTSCTS)) != 0 || (check.c_lflag & ICANON) != 0) {
    return nullptr;
  }

  // DTR high, RTS low. Devices without modem lines (a pseudo-terminal)
  // refuse this, which is no fault.
  int dtr = TIOCM_DTR;
  int rts = TIOCM_RTS;
  ::ioctl(fd, TIOCMBIS, &dtr);
  ::ioctl(fd, TIOCMBIC, &rts);
  failedStep = nullptr;
  return port;
}

TtyDevice::~TtyDevice() {
  Release(fd_);
}

int TtyDevice::ReadNow(char* buffer, int maximum) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, static_cast<size_t>(maximum));
    if (got >= 0) return static_cast<int>(got);  // raw with VMIN 0: 0 is "nothing yet"
    if (errno == EINTR) continue;
    if (errno == EAGAIN) return 0;
    // EIO once the other end is gone (an unplugged adapter, a closed pty).
    gone_.store(true);
    return -1;
  }
}

bool TtyDevice::Write(const char* data, int count, uint32_t limitMs) {
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(limitMs);
  // A byte's time on the wire: the output queue is looked at about this often.
  const long byteNs = 10L * 1000000000L / std::max(baudRate_, 1);
  for (int i = 0; i < count; ++i) {
    // One byte at a time, each transmitted before the next is handed over.
    for (;;) {
      if (ShutdownRequested()) return false;
      const ssize_t n = ::write(fd_, data + i, 1);
      if (n == 1) break;
      if (n < 0 && errno == EINTR) continue;
      // A full queue: wait for room, within the write's deadline. Anything
      // else (the device gone) ends the write here: nothing after this
      // byte goes out.
      if (n < 0 && errno == EAGAIN && WaitReady(fd_, POLLOUT, deadline)) continue;
      if (n < 0 && (errno == EIO || errno == ENXIO || errno == ENODEV)) gone_.store(true);
      return false;
    }
    for (;;) {
      int queued = 0;
      // A device that cannot tell has sent what it took.
      if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
      if (ShutdownRequested()) return false;
      const auto left = deadline - SteadyClock::now();
      if (left <= SteadyClock::duration::zero()) return false;
      const long waitNs =
          std::min<long long>(static_cast<long long>(queued) * byteNs,
                              std::chrono::duration_cast<std::chrono::nanoseconds>(left).count());
      pollfd wake{ShutdownRequestDescriptor(), POLLIN, 0};
      const timespec wait{waitNs / 1000000000L, waitNs % 1000000000L};
      ::ppoll(&wake, wake.fd >= 0 ? 1 : 0, &wait, nullptr);
    }
  }
  return true;
}

}  // namespace cct
