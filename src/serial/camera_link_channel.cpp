#include "serial/camera_link_channel.h"

// Camera Link grabbers are not supported yet: every generation lists no port
// and fails to open, so modes 1 to 3 behave like a line without a camera.

namespace cct {

#define CCT_CAMERA_LINK_UNSUPPORTED(Class)                                            \
  Class::Class(Host& host) : host_(host) {}                                          \
  Class::~Class() { Close(); }                                                       \
  int Class::ListPorts() {                                                           \
    ports_.clear();                                                                  \
    return 0;                                                                        \
  }                                                                                  \
  std::string Class::PortEntry(int index) const {                                    \
    return index >= 0 && index < static_cast<int>(ports_.size()) ? ports_[index] : ""; \
  }                                                                                  \
  bool Class::Open(int) { return false; }                                            \
  bool Class::SetBaudRate(int) { return false; }                                     \
  bool Class::Write(const char*, int, uint32_t) { return false; }                    \
  int Class::Read(char*, int, uint32_t) { return 0; }                                \
  void Class::Close() {}

CCT_CAMERA_LINK_UNSUPPORTED(CCameraLink2000Channel)
CCT_CAMERA_LINK_UNSUPPORTED(CCameraLink2001Channel)
CCT_CAMERA_LINK_UNSUPPORTED(CCameraLink11Channel)

}  // namespace cct
