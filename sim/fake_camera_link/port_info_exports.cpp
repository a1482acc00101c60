// The port functions of the 1.1 fake libraries, which number the ports listed
// in FAKE_CL_PORTS.

#include "fake_grabber.h"
#include "fake_settings.h"

using namespace fakecl;

FAKE_CL_EXPORT int clGetNumPorts(unsigned int* count) {
  if (count == nullptr) return kFailed;
  *count = static_cast<unsigned int>(Ports().size());
  return kOk;
}

FAKE_CL_EXPORT int clGetPortInfo(unsigned int index, char* manufacturer,
                                 unsigned int* manufacturerSize, char* portId,
                                 unsigned int* portIdSize, unsigned int* version) {
  const auto ports = Ports();
  if (index >= ports.size()) return kNoSuchPort;
  CopyName(ports[index].manufacturer, manufacturer, manufacturerSize);
  CopyName(ports[index].id, portId, portIdSize);
  if (version != nullptr) *version = 11;
  return kOk;
}

FAKE_CL_EXPORT int clGetNumBytesAvail(void* serialRef, unsigned int* numBytes) {
  FakePort* port = Grabber().Find(serialRef);
  if (port == nullptr) return kBadReference;
  if (numBytes == nullptr) return kFailed;
  *numBytes = static_cast<unsigned int>(port->Waiting(Grabber().NowMs()));
  return kOk;
}
