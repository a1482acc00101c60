#include "serial/camera_link_2001_channel.h"

#include <algorithm>
#include <utility>

namespace cct {

namespace {

constexpr const char* kLibraryName = "libclserial.so";

}  // namespace

CCameraLink2001Channel::CCameraLink2001Channel(Host& host) : CameraLinkChannelCommon(host) {}

CCameraLink2001Channel::~CCameraLink2001Channel() {
  Close();
}

bool CCameraLink2001Channel::Bind(SharedLibrary& library, Exports& e) {
  e = {};
  return library.Load(kLibraryName) && library.Resolve("clGetManufacturer", e.getManufacturer) &&
         library.Resolve("clGetNumManufacturers", e.getNumManufacturers) &&
         library.Resolve("clSelectManufacturer", e.selectManufacturer) &&
         library.Resolve("clGetNumSerialPorts", e.getNumSerialPorts) &&
         library.Resolve("clGetSerialPortIdentifier", e.getSerialPortIdentifier) &&
         library.Resolve("clSerialInit", e.serial.init) &&
         library.Resolve("clSerialClose", e.serial.close) &&
         library.Resolve("clSerialRead", e.serial.read) &&
         library.Resolve("clSerialWrite", e.serial.write) &&
         library.Resolve("clGetSupportedBaudRates", e.getSupportedBaudRates) &&
         library.Resolve("clSetBaudRate", e.setBaudRate) &&
         library.Resolve("clGetErrorText", e.getErrorText);
}

int CCameraLink2001Channel::ListPorts() {
  // A binding of its own: a port of this mode may be open on the session's
  // binding, and keeps working while the listing loads and releases the
  // library a second time.
  SharedLibrary library;
  Exports e;
  if (!Bind(library, e)) return static_cast<int>(ports_.size());
  ports_.clear();
  unsigned int count = 0;
  e.getNumManufacturers(&count);
  count = std::min(count, kClMaxListEntries);
  for (unsigned int i = 0; i < count; ++i) {
    char name[kClNameBufferSize] = {};
    unsigned int size = kClNameBufferSize;
    unsigned int version = 0;
    e.getManufacturer(i, name, &size, &version);
    ports_.push_back(ClBufferText(name, sizeof name));
  }
  return static_cast<int>(ports_.size());
}

bool CCameraLink2001Channel::Open(int portIndex) {
  Close();
  if (portIndex < 0) return false;
  SharedLibrary library;
  Exports e;
  if (!Bind(library, e)) return false;
  exports_ = e;
  session_.Attach(std::move(library), e.serial);
  // The maker is chosen by the name listed in this run; without a listing
  // the entry is empty and the library refuses it.
  std::string maker = PortEntry(portIndex);
  if (exports_.selectManufacturer(maker.data()) != 0) return false;
  return session_.Init(static_cast<unsigned int>(portIndex));
}

bool CCameraLink2001Channel::SetBaudRate(int baudRate) {
  if (!session_.IsOpen()) return false;
  if (session_.SwitchBaudRate(baudRate, exports_.getSupportedBaudRates, exports_.setBaudRate)) {
    return true;
  }
  // The library's rate is unchanged; the port stays open at it.
  host_.MessageBox("Selected baud rate is not supported.", kAppCaption, MsgIcon::Warning,
                   MsgButtons::Ok);
  return false;
}

void CCameraLink2001Channel::Close() {
  session_.End();
  exports_ = {};
}

}  // namespace cct
