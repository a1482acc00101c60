#include "serial/camera_link_channel_common.h"

namespace cct {

std::string CameraLinkChannelCommon::PortEntry(int index) const {
  return index >= 0 && index < static_cast<int>(ports_.size()) ? ports_[index] : "";
}

bool CameraLinkChannelCommon::Write(const char* data, int count, uint32_t limitMs) {
  return session_.Write(data, count, limitMs);
}

int CameraLinkChannelCommon::Read(char* buffer, int count, uint32_t limitMs) {
  return session_.Read(buffer, count, limitMs);
}

}  // namespace cct
