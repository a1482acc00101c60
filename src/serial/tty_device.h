#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "serial/port_device.h"

namespace cct {

// A serial device of this machine on termios, held exclusively: the flock
// keeps out other programs (and a second open in this one), TIOCEXCL keeps
// out plain opens of the device.
class TtyDevice : public PortDevice {
 public:
  // Opens `device` raw at `baudRate` with the given frame, no handshake, DTR
  // high and RTS low. On failure: null, and `failedStep` names the step the
  // port's message reports ("CreateFile", "GetCommState", "SetCommState").
  static std::unique_ptr<TtyDevice> Open(const std::string& device, int baudRate, int byteSize,
                                         int stopBitsCode, bool softwareFlow, bool parityCheck,
                                         const char*& failedStep);
  ~TtyDevice() override;
  TtyDevice(const TtyDevice&) = delete;
  TtyDevice& operator=(const TtyDevice&) = delete;

  int Descriptor() const override { return fd_; }
  int ReadNow(char* buffer, int maximum) override;
  bool Write(const char* data, int count, uint32_t limitMs) override;
  bool Gone() const override { return gone_.load(); }

 private:
  TtyDevice(int fd, int baudRate) : fd_(fd), baudRate_(baudRate) {}

  int fd_;
  int baudRate_;
  std::atomic<bool> gone_{false};  // set by the receive thread, read by writers
};

}  // namespace cct
