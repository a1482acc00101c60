#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/host.h"
#include "serial/camera_link_api.h"
#include "serial/camera_link_channel_common.h"

namespace cct {

// Camera Link spec. ver.1.1: one library, libclallserial.so, found by the
// dynamic linker's search, numbers the serial ports of every grabber on the
// machine. Each of them is one port of this mode, listed as "maker - port".
class CCameraLink11Channel : public CameraLinkChannelCommon {
 public:
  explicit CCameraLink11Channel(Host& host);
  ~CCameraLink11Channel();
  CCameraLink11Channel(const CCameraLink11Channel&) = delete;
  CCameraLink11Channel& operator=(const CCameraLink11Channel&) = delete;

  // Lists every port as "maker - port"; without the library the list is empty.
  int ListPorts();
  // Opens the library's port `index`; needs no listing.
  bool Open(int portIndex);
  // A rate the library does not offer is refused with a message naming the
  // port; the port then stays open at the library's own rate.
  bool SetBaudRate(int baudRate);
  void Close();

 private:
  // Every export this generation binds (Bind looks them up in the order
  // the generation defines); the session keeps their library loaded.
  struct Exports {
    ClSerialFunctions serial;
    clapi::SetBaudRateFn* setBaudRate = nullptr;
    clapi::UnusedFn* flushPort = nullptr;
    clapi::UnusedFn* getErrorText = nullptr;
    clapi::GetNumPortsFn* getNumPorts = nullptr;
    clapi::UnusedFn* getNumBytesAvail = nullptr;
    clapi::GetPortInfoFn* getPortInfo = nullptr;
    clapi::GetSupportedBaudRatesFn* getSupportedBaudRates = nullptr;
  };
  static bool Bind(SharedLibrary& library, Exports& exports);
  // "maker - port" of the library's port `index`.
  static std::string PortText(const Exports& exports, unsigned int index);

  Exports exports_;
  unsigned int openIndex_ = 0;
};

}  // namespace cct
