#include "fake_grabber.h"

#include <chrono>

#include "fake_settings.h"

namespace fakecl {

namespace {

const auto kLoadedAt = std::chrono::steady_clock::now();

}  // namespace

Status FakeGrabber::Open(unsigned int index, FakePort*& port) {
  port = nullptr;
  if (index >= Ports().size()) return kNoSuchPort;
  std::unique_ptr<FakePort>& slot = ports_[index];
  if (!slot) {
    sim::EngineOptions options;
    options.baudRate = CameraBaudRate();
    slot = std::make_unique<FakePort>(options);
  }
  if (slot->IsOpen()) return kPortInUse;
  // A grabber's serial port starts at 9600 bit/s on every open.
  slot->SetRate(9600);
  slot->Flush();
  slot->SetOpen(true);
  port = slot.get();
  return kOk;
}

void FakeGrabber::Close(FakePort* port) {
  if (port != nullptr) port->SetOpen(false);
}

FakePort* FakeGrabber::Find(void* ref) const {
  for (const auto& [index, port] : ports_) {
    if (port.get() == ref && port->IsOpen()) return port.get();
  }
  return nullptr;
}

uint64_t FakeGrabber::NowMs() const {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - kLoadedAt)
                                   .count());
}

FakeGrabber& Grabber() {
  static FakeGrabber grabber;
  return grabber;
}

}  // namespace fakecl
