#include "serial/camera_link_session.h"

#include <utility>
#include <vector>

namespace cct {

void CameraLinkSession::Attach(SharedLibrary library, const ClSerialFunctions& functions) {
  End();
  library_ = std::move(library);
  functions_ = functions;
}

bool CameraLinkSession::Init(unsigned int serialIndex) {
  if (!library_.IsLoaded() || IsOpen()) return false;
  void* ref = nullptr;
  if (functions_.init(serialIndex, &ref) != 0) return false;
  // A library that reports success without a reference cannot be talked to;
  // holding "no reference" keeps every later call away from it.
  serialRef_ = ref;
  return serialRef_ != nullptr;
}

void CameraLinkSession::End() {
  if (serialRef_ != nullptr) functions_.close(std::exchange(serialRef_, nullptr));
  library_.Release();
  functions_ = {};
}

bool CameraLinkSession::Write(const char* data, int count, uint32_t limitMs) {
  if (!IsOpen() || data == nullptr || count < 0) return false;
  if (count == 0) return true;
  // The libraries take a writable buffer; they get a copy, not the caller's text.
  std::vector<char> bytes(data, data + count);
  unsigned int size = static_cast<unsigned int>(count);
  return functions_.write(serialRef_, bytes.data(), &size, limitMs) == 0;
}

int CameraLinkSession::Read(char* buffer, int count, uint32_t limitMs) {
  if (!IsOpen() || buffer == nullptr || count <= 0) return 0;
  unsigned int size = static_cast<unsigned int>(count);
  if (functions_.read(serialRef_, buffer, &size, limitMs) != 0) return 0;
  // The count comes back from the library; more than was asked for would make
  // the caller step past its buffer.
  return size > static_cast<unsigned int>(count) ? count : static_cast<int>(size);
}

bool CameraLinkSession::SwitchBaudRate(int baudRate, clapi::GetSupportedBaudRatesFn* getSupported,
                                       clapi::SetBaudRateFn* setRate) {
  const unsigned int bit = ClBaudRateBit(baudRate);
  unsigned int supported = 0;
  return IsOpen() && bit != 0 && getSupported(serialRef_, &supported) == 0 &&
         (supported & bit) != 0 && setRate(serialRef_, bit) == 0;
}

}  // namespace cct
