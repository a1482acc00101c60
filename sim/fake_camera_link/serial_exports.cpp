// The four serial functions every generation of the fake libraries exports.

#include <algorithm>
#include <chrono>
#include <thread>

#include "fake_grabber.h"
#include "fake_settings.h"

using namespace fakecl;

FAKE_CL_EXPORT int clSerialInit(unsigned int serialIndex, void** serialRef) {
  if (serialRef == nullptr) return kFailed;
  *serialRef = nullptr;
  if (Flag("FAKE_CL_INIT_FAIL")) return kFailed;
  FakePort* port = nullptr;
  const Status status = Grabber().Open(serialIndex, port);
  if (status == kOk) *serialRef = port;
  return status;
}

FAKE_CL_EXPORT void clSerialClose(void* serialRef) {
  Grabber().Close(Grabber().Find(serialRef));
}

FAKE_CL_EXPORT int clSerialWrite(void* serialRef, char* buffer, unsigned int* bufferSize,
                                 unsigned int /*timeoutMs*/) {
  FakePort* port = Grabber().Find(serialRef);
  if (port == nullptr) return kBadReference;
  if (buffer == nullptr || bufferSize == nullptr) return kFailed;
  if (Flag("FAKE_CL_WRITE_TAKES_NOTHING")) {
    *bufferSize = 0;
    return kOk;
  }
  port->Send(buffer, *bufferSize, Grabber().NowMs());
  return kOk;
}

// Gives exactly the bytes asked for. When fewer wait, it waits out the time
// limit, as a library does for bytes still on the wire, and then reports a
// time-out with nothing read; the bytes that were there stay for later.
FAKE_CL_EXPORT int clSerialRead(void* serialRef, char* buffer, unsigned int* bufferSize,
                                unsigned int timeoutMs) {
  FakePort* port = Grabber().Find(serialRef);
  if (port == nullptr) return kBadReference;
  if (buffer == nullptr || bufferSize == nullptr) return kFailed;
  // A failing library may leave the count and the buffer as they were; only
  // the status tells that nothing was read.
  if (Flag("FAKE_CL_READ_FAIL")) return kFailed;
  // A careless library fills the caller's buffer with whatever waits, past
  // the size it was given.
  const uint64_t now = Grabber().NowMs();
  const size_t waiting = port->Waiting(now);
  const size_t overrun = waiting > *bufferSize ? std::min<size_t>(Number("FAKE_CL_READ_OVERRUN", 0),
                                                                  waiting - *bufferSize)
                                               : 0;
  if (overrun > 0 && port->Take(buffer, *bufferSize + overrun, now)) {
    *bufferSize += static_cast<unsigned int>(overrun);
    return kOk;
  }
  if (port->Take(buffer, *bufferSize, now)) return kOk;
  std::this_thread::sleep_for(
      std::chrono::milliseconds(timeoutMs + Number("FAKE_CL_READ_BLOCK_MS", 0)));
  *bufferSize = 0;
  return kTimeout;
}
