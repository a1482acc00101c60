#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/host.h"
#include "serial/camera_link_session.h"

namespace cct {

// What the three Camera Link generations share once a port is found: the
// port list of the last listing and the session of the open port. They differ
// in how they list, bind and open, and in how they set the baud rate.
class CameraLinkChannelCommon {
 public:
  CameraLinkChannelCommon(const CameraLinkChannelCommon&) = delete;
  CameraLinkChannelCommon& operator=(const CameraLinkChannelCommon&) = delete;

  // The entry listed at `index`; "" outside the list.
  std::string PortEntry(int index) const;
  bool IsOpen() const { return session_.IsOpen(); }
  bool Write(const char* data, int count, uint32_t limitMs);
  int Read(char* buffer, int count, uint32_t limitMs);
  int ReadWaiting(char* buffer, int count) { return session_.ReadWaiting(buffer, count); }
  bool WaitForInput(uint32_t limitMs) { return session_.WaitForInput(limitMs); }

 protected:
  explicit CameraLinkChannelCommon(Host& host) : host_(host) {}
  ~CameraLinkChannelCommon() = default;

  Host& host_;
  std::vector<std::string> ports_;
  CameraLinkSession session_;
};

}  // namespace cct
