#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/host.h"
#include "serial/camera_link_channel_common.h"

namespace cct {

// Camera Link spec. 2000: every grabber maker installs its own serial library
// into the Camera Link directory, and each library file found there is one
// port of this mode. The directory is the one named by CLSERIALPATH, else
// /usr/local/lib/cameralink. These libraries have no baud-rate functions:
// the line runs at 9600 bit/s.
class CCameraLink2000Channel : public CameraLinkChannelCommon {
 public:
  explicit CCameraLink2000Channel(Host& host);
  ~CCameraLink2000Channel();
  CCameraLink2000Channel(const CCameraLink2000Channel&) = delete;
  CCameraLink2000Channel& operator=(const CCameraLink2000Channel&) = delete;

  // Lists the files clser*.so and libclser*.so of the Camera Link directory
  // without loading any; returns their count.
  int ListPorts();
  // Loads the listed file at `index` and opens its port `index`.
  bool Open(int portIndex);
  // 9600 bit/s is the only rate; any other is refused with a message.
  bool SetBaudRate(int baudRate);
  void Close();

  // The folder the listing searches and the ports are loaded from.
  static std::string LibraryFolder();

 private:
};

}  // namespace cct
