#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "protocol/host.h"
#include "serial/port_device.h"

namespace cct {

// A PC serial port: a device of this machine on termios. A receive thread
// blocks in poll() on the device and a wake-up eventfd and moves every
// received byte into a 1024-byte ring; the user-interface thread takes bytes
// out of the ring. Only one program can hold a port at a time.
class CComPortChannel {
 public:
  static constexpr int kRingSize = 1024;

  explicit CComPortChannel(Host& host);
  ~CComPortChannel();
  CComPortChannel(const CComPortChannel&) = delete;
  CComPortChannel& operator=(const CComPortChannel&) = delete;

  // Opens "COMn" through the port map with 8N1 at `baudRate`, no handshake,
  // DTR high, RTS low, and starts the receive thread. Each failure shows its
  // message with the port name and leaves the port closed.
  bool OpenPort(const std::string& portName, int baudRate, int byteSize, int stopBitsCode,
                bool softwareFlow, bool parityCheck);
  void ClosePort();
  bool IsOpen() const { return device_ != nullptr; }
  // The open device went away (unplugged): nothing can be sent on it.
  bool Gone() const { return hungUp_.load() || (device_ && device_->Gone()); }

  // Sends all `count` bytes within `limitMs`, or fails at the first byte
  // that cannot go out (nothing after it is sent); a shutdown request ends
  // it at once.
  bool WriteBytes(const char* data, int count, uint32_t limitMs);
  // Takes up to `maximum` bytes out of the ring without waiting.
  int ReadBytes(char* destination, int maximum);
  // Bytes that have arrived by now, also those the receive thread has not
  // moved out of the driver yet: into the ring, then up to `maximum` of them
  // out of it. Never waits for a byte.
  int ReadWaiting(char* destination, int maximum);
  int Available() const;
  // Blocks until the ring holds a byte or `limit` has passed; true when it
  // holds one.
  bool WaitForData(std::chrono::microseconds limit);
  // Run by the receive thread: moves what the driver holds into the ring,
  // as far as the ring has room.
  void DrainInput();
  // An eventfd (owned by the caller) the receive thread signals whenever
  // bytes came into the ring; -1 for none.
  void SetInputSignal(int fd) { inputSignal_.store(fd); }

 private:
  void ReceiveLoop();
  bool Fail(const std::string& portName, const char* step);
  void ReleaseDevice();
  int FreeSpace() const;

  Host& host_;
  std::unique_ptr<PortDevice> device_;
  int wakeFd_ = -1;
  std::thread receiver_;
  std::atomic<int> running_{1};
  std::atomic<bool> hungUp_{false};
  std::atomic<int> inputSignal_{-1};

  char ring_[kRingSize] = {};
  std::atomic<int> head_{0};  // next position the receive thread fills
  std::atomic<int> tail_{0};  // next position ReadBytes takes
  std::mutex ringMutex_;      // guards the waits on the two conditions below
  std::condition_variable dataArrived_;
  std::condition_variable spaceFreed_;
};

// The line lock: serialises port writes against the receive thread's
// draining. Programs exclude each other through the exclusive device lock.
std::mutex& LineLock();

}  // namespace cct
