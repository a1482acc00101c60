#pragma once

#include <array>
#include <cstdint>

#include "serial/camera_link_api.h"
#include "serial/shared_library.h"

namespace cct {

// A grabber library bound for one port: the library reference, its four serial
// functions and the serial reference clSerialInit handed out. Every generation
// talks to an open port the same way; they differ in how they find and bind
// the library and in what they call before clSerialInit.
class CameraLinkSession {
 public:
  CameraLinkSession() = default;
  ~CameraLinkSession() { End(); }
  CameraLinkSession(const CameraLinkSession&) = delete;
  CameraLinkSession& operator=(const CameraLinkSession&) = delete;

  // Takes over a bound library; a session still running ends first. The
  // library stays with the session, also when Init then fails, until End.
  void Attach(SharedLibrary library, const ClSerialFunctions& functions);
  // clSerialInit with the port index; true exactly when its status is 0.
  bool Init(unsigned int serialIndex);
  // Closes the serial reference, if any, then releases the library.
  void End();

  bool HasLibrary() const { return library_.IsLoaded(); }
  bool IsOpen() const { return serialRef_ != nullptr; }
  void* SerialRef() const { return serialRef_; }

  // clSerialWrite of the whole data; true when its status is 0 and the
  // library took every byte.
  bool Write(const char* data, int count, uint32_t limitMs);
  // Up to `count` bytes: those a library read left over, else those of a
  // clSerialRead with the limit; 0 on any failure.
  int Read(char* buffer, int count, uint32_t limitMs);
  // Up to `count` bytes that have arrived, read with no wait.
  int ReadWaiting(char* buffer, int count);
  // A read of one byte with the limit, kept for the next read: true when a
  // byte is waiting.
  bool WaitForInput(uint32_t limitMs);
  // Bytes a library read gave beyond what was asked, kept for the next read.
  int Pending() const { return pendingCount_; }
  // Switches the open port to `baudRate` when the library lists that rate
  // among its supported ones and takes it; false otherwise (the port then
  // stays at the library's own rate).
  bool SwitchBaudRate(int baudRate, clapi::GetSupportedBaudRatesFn* getSupported,
                      clapi::SetBaudRateFn* setRate);

  // A library reads into this, never into a caller's buffer: one that writes
  // more than it was asked for overruns nothing of ours.
  static constexpr int kReadBufferSize = 4096;

 private:
  bool Fetch(int wanted, uint32_t limitMs);
  int TakePending(char* buffer, int count);

  SharedLibrary library_;
  ClSerialFunctions functions_;
  void* serialRef_ = nullptr;
  std::array<char, kReadBufferSize> readBuffer_{};
  int pendingStart_ = 0;
  int pendingCount_ = 0;
};

}  // namespace cct
