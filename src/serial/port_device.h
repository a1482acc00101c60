#pragma once

#include <cstdint>

namespace cct {

// An open port as the COM port channel drives it: a serial device of this
// machine, or a serial port on a serial server across the network. The
// receive thread polls Descriptor() and calls ReadNow; the exchanges call
// Write. The line lock keeps the two calls apart, so a device need not lock
// for them.
class PortDevice {
 public:
  virtual ~PortDevice() = default;
  // Polled for POLLIN by the receive thread: readable when ReadNow may give
  // bytes; POLLHUP or POLLERR once the port is gone.
  virtual int Descriptor() const = 0;
  // The camera's bytes that have arrived, without waiting: their count, 0
  // when none has (or only bytes of the transport itself), -1 when the port
  // is gone.
  virtual int ReadNow(char* buffer, int maximum) = 0;
  // Sends all `count` bytes or fails. Within `limitMs` (the caller allows
  // for the length and the rate), waiting for room and for the output to
  // leave; it stops at the first byte that cannot go out, sending nothing
  // after it, and at once when the program is asked to end.
  virtual bool Write(const char* data, int count, uint32_t limitMs) = 0;
  // True once the port is known to be gone (an unplugged adapter, a closed
  // connection): a write that failed for that reason failed like one to a
  // port that is not open.
  virtual bool Gone() const = 0;
};

}  // namespace cct
