#include "serial/camera_link_session.h"

#include <algorithm>
#include <cstring>
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
  pendingStart_ = pendingCount_ = 0;
}

bool CameraLinkSession::Write(const char* data, int count, uint32_t limitMs) {
  if (!IsOpen() || data == nullptr || count < 0) return false;
  if (count == 0) return true;
  // The libraries take a writable buffer; they get a copy, not the caller's text.
  std::vector<char> bytes(data, data + count);
  unsigned int size = static_cast<unsigned int>(count);
  // A library that reports fewer bytes taken did not send the whole text.
  return functions_.write(serialRef_, bytes.data(), &size, limitMs) == 0 &&
         size >= static_cast<unsigned int>(count);
}

bool CameraLinkSession::Fetch(int wanted, uint32_t limitMs) {
  unsigned int size = static_cast<unsigned int>(std::min(wanted, kReadBufferSize));
  pendingStart_ = pendingCount_ = 0;
  if (functions_.read(serialRef_, readBuffer_.data(), &size, limitMs) != 0) return false;
  // The count comes from the library: never more than the buffer holds.
  pendingCount_ = static_cast<int>(std::min(size, static_cast<unsigned int>(kReadBufferSize)));
  return pendingCount_ > 0;
}

int CameraLinkSession::TakePending(char* buffer, int count) {
  const int n = std::min(count, pendingCount_);
  std::memcpy(buffer, readBuffer_.data() + pendingStart_, static_cast<size_t>(n));
  pendingStart_ += n;
  pendingCount_ -= n;
  return n;
}

int CameraLinkSession::Read(char* buffer, int count, uint32_t limitMs) {
  if (!IsOpen() || buffer == nullptr || count <= 0) return 0;
  if (pendingCount_ == 0 && !Fetch(count, limitMs)) return 0;
  return TakePending(buffer, count);
}

bool CameraLinkSession::WaitForInput(uint32_t limitMs) {
  return IsOpen() && (pendingCount_ > 0 || Fetch(1, limitMs));
}

int CameraLinkSession::ReadWaiting(char* buffer, int count) {
  if (!IsOpen() || buffer == nullptr || count <= 0) return 0;
  int copied = TakePending(buffer, count);
  while (copied < count && Fetch(count - copied, 0)) {
    copied += TakePending(buffer + copied, count - copied);
  }
  return copied;
}

bool CameraLinkSession::SwitchBaudRate(int baudRate, clapi::GetSupportedBaudRatesFn* getSupported,
                                       clapi::SetBaudRateFn* setRate) {
  const unsigned int bit = ClBaudRateBit(baudRate);
  unsigned int supported = 0;
  return IsOpen() && bit != 0 && getSupported(serialRef_, &supported) == 0 &&
         (supported & bit) != 0 && setRate(serialRef_, bit) == 0;
}

}  // namespace cct
