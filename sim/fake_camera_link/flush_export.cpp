// clFlushPort: present in the complete 1.1 fake library, left out of the one
// that tests the refusal of a library with an export missing.

#include "fake_grabber.h"

using namespace fakecl;

FAKE_CL_EXPORT int clFlushPort(void* serialRef) {
  FakePort* port = Grabber().Find(serialRef);
  if (port == nullptr) return kBadReference;
  port->Flush();
  return kOk;
}
