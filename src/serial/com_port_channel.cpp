#include "serial/com_port_channel.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <system_error>

#include "serial/network_address.h"
#include "serial/port_map.h"
#include "serial/rfc2217_port.h"
#include "serial/tty_device.h"

namespace cct {

std::mutex& LineLock() {
  static std::mutex lock;
  return lock;
}

CComPortChannel::CComPortChannel(Host& host) : host_(host) {}

CComPortChannel::~CComPortChannel() {
  ClosePort();
}

void CComPortChannel::ReleaseDevice() {
  device_.reset();
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

  const char* failedStep = "CreateFile";
  const std::string device = ResolvePortName(portName);
  // A serial server's port speaks 8N1 without handshake, the only frame the
  // line uses.
  if (IsNetworkPort(device)) {
    device_ = OpenRfc2217Port(device, baudRate, kRfc2217ConnectLimitMs, failedStep);
  } else {
    device_ = TtyDevice::Open(device, baudRate, byteSize, stopBitsCode, softwareFlow, parityCheck,
                              failedStep);
  }
  if (!device_) return Fail(portName, failedStep);

  // The receive thread's wake-up stands where the device event mask would.
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) return Fail(portName, "SetCommMask");

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
    pollfd fds[2] = {{device_->Descriptor(), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) break;  // closing
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      // The device is gone (an unplugged adapter): keep what arrived and end
      // here rather than wake up for the hang-up again and again.
      DrainInput();
      hungUp_.store(true);
      break;
    }
    if (fds[0].revents & POLLIN) DrainInput();
    if (hungUp_.load()) break;
  }
}

void CComPortChannel::DrainInput() {
  std::lock_guard<std::mutex> lineLock(LineLock());
  if (!device_ || hungUp_.load()) return;
  bool any = false;
  for (;;) {
    const int free = FreeSpace();
    if (free == 0) break;
    const int head = head_.load(std::memory_order_relaxed);
    const int chunk = std::min(free, kRingSize - head);
    const int got = device_->ReadNow(ring_ + head, chunk);
    if (got < 0) hungUp_.store(true);
    if (got <= 0) break;
    head_.store((head + got) % kRingSize, std::memory_order_release);
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
  if (!IsOpen() || maximum <= 0) return 0;
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

int CComPortChannel::ReadWaiting(char* destination, int maximum) {
  if (!IsOpen()) return 0;
  int copied = 0;
  while (copied < maximum) {
    // What the driver holds beyond a full ring comes in as the ring empties.
    DrainInput();
    const int got = ReadBytes(destination + copied, maximum - copied);
    if (got == 0) break;
    copied += got;
  }
  return copied;
}

bool CComPortChannel::WaitForData(std::chrono::microseconds limit) {
  std::unique_lock<std::mutex> lock(ringMutex_);
  return dataArrived_.wait_for(lock, limit, [this] { return Available() > 0; });
}

bool CComPortChannel::WriteBytes(const char* data, int count, uint32_t limitMs) {
  if (!IsOpen() || count <= 0) return false;
  std::lock_guard<std::mutex> lineLock(LineLock());
  return device_->Write(data, count, limitMs);
}

}  // namespace cct
