#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "fake_port.h"

// Marks the Camera Link functions a fake library exports; everything else in
// it stays hidden.
#define FAKE_CL_EXPORT extern "C" __attribute__((visibility("default")))

namespace fakecl {

// The fake libraries' status codes: 0 is success, the rest are their own.
enum Status : int {
  kOk = 0,
  kNoSuchPort = -1,
  kPortInUse = -2,
  kBadReference = -3,
  kTimeout = -4,
  kRateNotSupported = -5,
  kNoSuchManufacturer = -6,
  kFailed = -7,
};

// The grabber one fake library stands for: its ports, each with its camera.
// A camera keeps its state while the library stays loaded, across closing
// and reopening its port, as a real camera does across reconnects.
class FakeGrabber {
 public:
  // Opens port `index` (within FAKE_CL_PORTS); the port is its own reference.
  Status Open(unsigned int index, FakePort*& port);
  void Close(FakePort* port);
  // The open port behind a reference, or null for anything else.
  FakePort* Find(void* ref) const;
  // Milliseconds since the library was loaded.
  uint64_t NowMs() const;

 private:
  std::map<unsigned int, std::unique_ptr<FakePort>> ports_;
};

FakeGrabber& Grabber();

}  // namespace fakecl
