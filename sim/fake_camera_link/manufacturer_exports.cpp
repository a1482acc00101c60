// The maker functions of the 2001 fake library, which stands in front of the
// makers listed in FAKE_CL_MANUFACTURERS.

#include <string>

#include "fake_grabber.h"
#include "fake_settings.h"

using namespace fakecl;

FAKE_CL_EXPORT int clGetNumManufacturers(unsigned int* count) {
  if (count == nullptr) return kFailed;
  *count = static_cast<unsigned int>(Manufacturers().size());
  return kOk;
}

FAKE_CL_EXPORT int clGetManufacturer(unsigned int index, char* name, unsigned int* nameSize,
                                     unsigned int* version) {
  const auto makers = Manufacturers();
  if (index >= makers.size()) return kNoSuchManufacturer;
  CopyName(makers[index], name, nameSize);
  if (version != nullptr) *version = 2;
  return kOk;
}

FAKE_CL_EXPORT int clSelectManufacturer(char* name) {
  if (name == nullptr) return kNoSuchManufacturer;
  for (const std::string& maker : Manufacturers()) {
    if (maker == name) return kOk;
  }
  return kNoSuchManufacturer;
}

FAKE_CL_EXPORT int clGetNumSerialPorts(unsigned int* count) {
  if (count == nullptr) return kFailed;
  *count = static_cast<unsigned int>(Ports().size());
  return kOk;
}

FAKE_CL_EXPORT int clGetSerialPortIdentifier(unsigned int index, char* id, unsigned int* idSize) {
  const auto ports = Ports();
  if (index >= ports.size()) return kNoSuchPort;
  CopyName(ports[index].id, id, idSize);
  return kOk;
}
