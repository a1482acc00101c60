#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/host.h"
#include "serial/camera_link_api.h"
#include "serial/camera_link_channel_common.h"

namespace cct {

// Camera Link spec. 2001: one library, libclserial.so, found by the dynamic
// linker's search, stands in front of the grabber makers installed on the
// machine. Each maker is one port of this mode: the port index picks the
// maker by its listed name, and is also the serial index of the port opened.
class CCameraLink2001Channel : public CameraLinkChannelCommon {
 public:
  explicit CCameraLink2001Channel(Host& host);
  ~CCameraLink2001Channel();
  CCameraLink2001Channel(const CCameraLink2001Channel&) = delete;
  CCameraLink2001Channel& operator=(const CCameraLink2001Channel&) = delete;

  // Lists the makers' names. Without the library the earlier list stays.
  int ListPorts();
  // Selects the listed maker at `index` and opens its port `index`.
  bool Open(int portIndex);
  // A rate the library does not offer is refused with a message; the port
  // then stays open at the library's own rate.
  bool SetBaudRate(int baudRate);
  void Close();

 private:
  // Every export this generation binds (Bind looks them up in the order
  // the generation defines); the session keeps their library loaded.
  struct Exports {
    clapi::GetManufacturerFn* getManufacturer = nullptr;
    clapi::GetNumManufacturersFn* getNumManufacturers = nullptr;
    clapi::SelectManufacturerFn* selectManufacturer = nullptr;
    clapi::UnusedFn* getNumSerialPorts = nullptr;
    clapi::UnusedFn* getSerialPortIdentifier = nullptr;
    ClSerialFunctions serial;
    clapi::GetSupportedBaudRatesFn* getSupportedBaudRates = nullptr;
    clapi::SetBaudRateFn* setBaudRate = nullptr;
    clapi::UnusedFn* getErrorText = nullptr;
  };
  static bool Bind(SharedLibrary& library, Exports& exports);

  Exports exports_;
};

}  // namespace cct
