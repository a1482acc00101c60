#include "serial/camera_link_11_channel.h"

#include <algorithm>
#include <utility>

namespace cct {

namespace {

constexpr const char* kLibraryName = "libclallserial.so";

}  // namespace

CCameraLink11Channel::CCameraLink11Channel(Host& host) : CameraLinkChannelCommon(host) {}

CCameraLink11Channel::~CCameraLink11Channel() {
  Close();
}

bool CCameraLink11Channel::Bind(SharedLibrary& library, Exports& e) {
  e = {};
  // clFlushPort, clGetErrorText and clGetNumBytesAvail are never called, but a
  // library without them is not a complete one of this generation.
  return library.Load(kLibraryName) && library.Resolve("clSerialInit", e.serial.init) &&
         library.Resolve("clSerialClose", e.serial.close) &&
         library.Resolve("clSetBaudRate", e.setBaudRate) &&
         library.Resolve("clSerialRead", e.serial.read) &&
         library.Resolve("clSerialWrite", e.serial.write) &&
         library.Resolve("clFlushPort", e.flushPort) &&
         library.Resolve("clGetErrorText", e.getErrorText) &&
         library.Resolve("clGetNumPorts", e.getNumPorts) &&
         library.Resolve("clGetNumBytesAvail", e.getNumBytesAvail) &&
         library.Resolve("clGetPortInfo", e.getPortInfo) &&
         library.Resolve("clGetSupportedBaudRates", e.getSupportedBaudRates);
}

std::string CCameraLink11Channel::PortText(const Exports& e, unsigned int index) {
  char maker[kClNameBufferSize] = {};
  char port[kClNameBufferSize] = {};
  unsigned int makerSize = kClNameBufferSize;
  unsigned int portSize = kClNameBufferSize;
  unsigned int version = 0;
  e.getPortInfo(index, maker, &makerSize, port, &portSize, &version);
  return ClBufferText(maker, sizeof maker) + " - " + ClBufferText(port, sizeof port);
}

int CCameraLink11Channel::ListPorts() {
  ports_.clear();
  // A binding of its own: a port of this mode may be open on the session's
  // binding, and keeps working while the listing loads and releases the
  // library a second time.
  SharedLibrary library;
  Exports e;
  if (!Bind(library, e)) return 0;
  unsigned int count = 0;
  e.getNumPorts(&count);
  count = std::min(count, kClMaxListEntries);
  for (unsigned int i = 0; i < count; ++i) ports_.push_back(PortText(e, i));
  return static_cast<int>(ports_.size());
}

bool CCameraLink11Channel::Open(int portIndex) {
  Close();
  if (portIndex < 0) return false;
  SharedLibrary library;
  Exports e;
  if (!Bind(library, e)) return false;
  exports_ = e;
  openIndex_ = static_cast<unsigned int>(portIndex);
  session_.Attach(std::move(library), e.serial);
  return session_.Init(openIndex_);
}

bool CCameraLink11Channel::SetBaudRate(int baudRate) {
  if (!session_.IsOpen()) return false;
  if (session_.SwitchBaudRate(baudRate, exports_.getSupportedBaudRates, exports_.setBaudRate)) {
    return true;
  }
  // The port is named as the library names it, the same text as its list
  // entry, so the operator knows which grabber refused; the open port needs no
  // listing, so the text is asked of the library rather than the list.
  host_.MessageBox("Selected baud rate is not supported in " + PortText(exports_, openIndex_) + ".",
                   kAppCaption, MsgIcon::Warning, MsgButtons::Ok);
  return false;
}

void CCameraLink11Channel::Close() {
  session_.End();
  exports_ = {};
}

}  // namespace cct
