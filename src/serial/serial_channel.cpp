#include "serial/serial_channel.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>

#include "serial/camera_link_api.h"
#include "serial/camera_link_channel.h"
#include "serial/com_port_channel.h"

namespace cct {

namespace {

constexpr int kBaudRates[] = {9600, 19200, 38400, 57600, 115200};
// The Camera Link write gets at least this long for a whole command text.
constexpr uint32_t kCameraLinkWriteLimitMs = 500;
// Beyond a text's time on the wire, a write may take this long in all (a
// busy adapter, a scheduler) ...
constexpr uint32_t kWriteMarginMs = 1000;
// ... and this much per byte: each byte leaves before the next is handed
// over, and a USB adapter reports a byte sent only a frame later.
constexpr uint32_t kWritePerByteAllowanceMs = 2;
// One byte read from a Camera Link library.
constexpr uint32_t kCameraLinkByteLimitMs = 10;

bool IsCameraLinkMode(int mode) {
  return mode >= kModeCameraLink2000 && mode <= kModeCameraLink11;
}

}  // namespace

int BaudIndexToRate(int index) {
  return index >= 0 && index < 5 ? kBaudRates[index] : 9600;
}

int BaudRateToIndex(int rate) {
  for (int i = 0; i < 5; ++i) {
    if (kBaudRates[i] == rate) return i;
  }
  return 0;
}

CSerialChannel::CSerialChannel(Host& host, Preferences& preferences, Clock& clock)
    : host_(host), preferences_(preferences), clock_(clock) {
  // A stored value the program cannot use (a hand-edited file, another
  // tool's) reads as the default, and the default is what goes back.
  mode_ = StoredNumberIn(preferences_, kPrefCommunicationMode, kModeComPort, kModeCameraLink11,
                         kModeComPort);
  portIndex_[kModeComPort] = StoredNumberIn(preferences_, kPrefComPortNo, 0, kComPortCount - 1, 0);
  const int lastListed = static_cast<int>(kClMaxListEntries) - 1;
  portIndex_[kModeCameraLink2000] =
      StoredNumberIn(preferences_, kPrefCameraLink2000Index, 0, lastListed, 0);
  portIndex_[kModeCameraLink2001] =
      StoredNumberIn(preferences_, kPrefCameraLink2001Index, 0, lastListed, 0);
  portIndex_[kModeCameraLink11] =
      StoredNumberIn(preferences_, kPrefCameraLink11Index, 0, lastListed, 0);
  // Every run starts at 9600 bit/s; the stored rate is not read back.
  baudRate_ = 9600;
  inputSignal_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

CSerialChannel::~CSerialChannel() {
  Close();
  SaveSettings();
  // The COM port's receive thread has ended with Close.
  comPort_.reset();
  if (inputSignal_ >= 0) ::close(inputSignal_);
}

void CSerialChannel::SignalInput() {
  if (inputSignal_ < 0) return;
  const uint64_t one = 1;
  (void)!::write(inputSignal_, &one, sizeof one);
}

int CSerialChannel::InputSignal() {
  return mode_ == kModeComPort ? inputSignal_ : -1;
}

void CSerialChannel::SaveSettings() {
  preferences_.SetNumber(kPrefCommunicationMode, mode_);
  preferences_.SetNumber(kPrefBaudrate, baudRate_);
  preferences_.SetNumber(kPrefComPortNo, portIndex_[kModeComPort]);
  preferences_.SetNumber(kPrefCameraLink2000Index, portIndex_[kModeCameraLink2000]);
  preferences_.SetNumber(kPrefCameraLink2001Index, portIndex_[kModeCameraLink2001]);
  preferences_.SetNumber(kPrefCameraLink11Index, portIndex_[kModeCameraLink11]);
}

CComPortChannel& CSerialChannel::ComPort() {
  if (!comPort_) {
    comPort_ = std::make_unique<CComPortChannel>(host_);
    comPort_->SetInputSignal(inputSignal_);
  }
  return *comPort_;
}

CCameraLink2000Channel& CSerialChannel::CameraLink2000() {
  if (!cl2000_) cl2000_ = std::make_unique<CCameraLink2000Channel>(host_);
  return *cl2000_;
}

CCameraLink2001Channel& CSerialChannel::CameraLink2001() {
  if (!cl2001_) cl2001_ = std::make_unique<CCameraLink2001Channel>(host_);
  return *cl2001_;
}

CCameraLink11Channel& CSerialChannel::CameraLink11() {
  if (!cl11_) cl11_ = std::make_unique<CCameraLink11Channel>(host_);
  return *cl11_;
}

// Calls `f` with the Camera Link channel object of `mode` (1..3).
template <typename F>
static auto WithCameraLink(CSerialChannel& line, int mode, F&& f) {
  switch (mode) {
    case kModeCameraLink2000:
      return f(line.CameraLink2000());
    case kModeCameraLink2001:
      return f(line.CameraLink2001());
    default:
      return f(line.CameraLink11());
  }
}

int* CSerialChannel::PortIndexSlot(int mode) {
  return mode >= 0 && mode < 4 ? &portIndex_[mode] : nullptr;
}

int CSerialChannel::GetPortIndex() const {
  return mode_ >= 0 && mode_ < 4 ? portIndex_[mode_] : 0;
}

bool CSerialChannel::Open(int mode, int baudRate, int portIndex) {
  Close();
  ++openCount_;
  // Whoever sleeps until input looks again: the new line may need watching
  // differently.
  SignalInput();
  // The new settings are kept even when opening fails, so a later reopen
  // and the stored preferences use them.
  mode_ = mode;
  baudRate_ = baudRate;
  int* slot = PortIndexSlot(mode);
  if (slot == nullptr) return false;
  *slot = portIndex;

  if (mode == kModeComPort) {
    // Wide enough that no index can overflow the name.
    const std::string name = !comDevice_.empty()
                                 ? comDevice_
                                 : "COM" + std::to_string(static_cast<int64_t>(portIndex) + 1);
    return ComPort().OpenPort(name, baudRate, 8, 0, false, false);
  }
  return WithCameraLink(*this, mode, [&](auto& channel) {
    return channel.Open(portIndex) && channel.SetBaudRate(baudRate);
  });
}

bool CSerialChannel::Reopen() {
  return Open(mode_, baudRate_, GetPortIndex());
}

bool CSerialChannel::ReopenWithMode(int mode) {
  const int* slot = PortIndexSlot(mode);
  return Open(mode, baudRate_, slot != nullptr ? *slot : 0);
}

bool CSerialChannel::ReopenWithBaudRate(int baudRate) {
  return Open(mode_, baudRate, GetPortIndex());
}

bool CSerialChannel::ReopenWithPort(int portIndex) {
  return Open(mode_, baudRate_, portIndex);
}

void CSerialChannel::Close() {
  if (mode_ == kModeComPort) {
    if (comPort_) comPort_->ClosePort();
  } else if (IsCameraLinkMode(mode_)) {
    WithCameraLink(*this, mode_, [](auto& channel) { channel.Close(); });
  }
}

uint32_t CSerialChannel::WriteLimitMs(size_t bytes) const {
  // Twice the text's time on the wire at ten bit times a byte.
  const uint64_t rate = baudRate_ > 0 ? static_cast<uint64_t>(baudRate_) : 9600;
  const uint64_t wireTwiceMs = (static_cast<uint64_t>(bytes) * 20000 + rate - 1) / rate;
  const uint64_t limit = kWriteMarginMs + wireTwiceMs + bytes * kWritePerByteAllowanceMs;
  return limit > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(limit);
}

bool CSerialChannel::Write(const std::string& text) {
  if (!IsCameraLinkMode(mode_) && mode_ != kModeComPort) return false;
  const int count = static_cast<int>(std::min<size_t>(text.size(), INT32_MAX));
  const uint32_t limit = WriteLimitMs(text.size());
  // A port that is not open (or whose adapter was pulled) sends nothing and
  // the write counts as made: the missing answer is the command layer's
  // time-out. A write on an open port that stalls past its limit, is cut
  // short or is ended by a shutdown request fails: nothing after its first
  // byte that could not go out is sent.
  bool sent = true;
  if (count > 0 && mode_ == kModeComPort) {
    CComPortChannel& port = ComPort();
    if (port.IsOpen() && !port.Gone())
      sent = port.WriteBytes(text.data(), count, limit) || port.Gone();
  } else if (count > 0) {
    sent = WithCameraLink(*this, mode_, [&](auto& channel) {
      return !channel.IsOpen() ||
             channel.Write(text.data(), count, std::max(limit, kCameraLinkWriteLimitMs));
    });
  }
  LogSent(text);
  return sent;
}

int CSerialChannel::Read(char* buffer, int count, uint32_t limitMs) {
  if (count <= 0 || mode_ < 0 || mode_ > 3) return 0;
  return mode_ == kModeComPort ? ReadComPort(buffer, count, limitMs)
                               : ReadCameraLink(buffer, count, limitMs);
}

bool CSerialChannel::CameraLinkOpen() {
  return WithCameraLink(*this, mode_, [](auto& channel) { return channel.IsOpen(); });
}

int CSerialChannel::ReadWaiting(char* buffer, int count) {
  if (count <= 0) return 0;
  if (mode_ == kModeComPort) return comPort_ ? comPort_->ReadWaiting(buffer, count) : 0;
  if (!IsCameraLinkMode(mode_)) return 0;
  return WithCameraLink(*this, mode_,
                        [&](auto& channel) { return channel.ReadWaiting(buffer, count); });
}

bool CSerialChannel::WaitForInput(uint32_t limitUs) {
  if (mode_ == kModeComPort) return ComPort().WaitForData(std::chrono::microseconds(limitUs));
  if (!IsCameraLinkMode(mode_)) {
    clock_.Sleep((limitUs + 999) / 1000);
    return false;
  }
  // A library says nothing of arriving bytes: the nearest to a wait on them
  // is a read with that limit, whose byte it keeps for the next read.
  const uint32_t limitMs = std::max<uint32_t>(1, (limitUs + 999) / 1000);
  const uint32_t start = clock_.Ticks();
  const bool any = WithCameraLink(*this, mode_, [&](auto& channel) {
    return channel.IsOpen() && channel.WaitForInput(limitMs);
  });
  // A library that gives up early, or no port: the rest is slept, never spun.
  const uint32_t elapsed = TicksSince(start, clock_.Ticks());
  if (!any && elapsed < limitMs) clock_.Sleep(limitMs - elapsed);
  return any;
}

uint32_t CSerialChannel::CharacterTimeUs() const {
  // Start bit, eight data bits, stop bit.
  return static_cast<uint32_t>(10000000 / (baudRate_ > 0 ? baudRate_ : 9600));
}

bool CSerialChannel::InputPending() {
  if (mode_ == kModeComPort) return comPort_ && comPort_->IsOpen() && comPort_->Available() > 0;
  if (IsCameraLinkMode(mode_)) {
    return CameraLinkOpen();
  }
  return false;
}

int CSerialChannel::ReadComPort(char* buffer, int count, uint32_t limitMs) {
  const uint32_t start = clock_.Ticks();
  int total = 0;
  do {
    const int got = ComPort().ReadBytes(buffer + total, 1);
    if (got == 0) {
      const uint32_t elapsed = TicksSince(start, clock_.Ticks());
      if (elapsed < limitMs) ComPort().WaitForData(std::chrono::milliseconds(limitMs - elapsed));
    }
    total += got;
  } while (total < count && TicksSince(start, clock_.Ticks()) < limitMs);
  return total;
}

int CSerialChannel::ReadCameraLink(char* buffer, int count, uint32_t limitMs) {
  // Without an open port nothing can arrive; waiting out the limit would only
  // keep the polling timer busy every 25 ms.
  if (!CameraLinkOpen()) return 0;
  const uint32_t start = clock_.Ticks();
  int total = 0;
  do {
    const int got = WithCameraLink(*this, mode_, [&](auto& channel) {
      return channel.Read(buffer + total, 1, kCameraLinkByteLimitMs);
    });
    if (got == 0) {
      // A library that gives up before its time limit would make this loop
      // spin; the rest of the limit is slept instead.
      const uint32_t elapsed = TicksSince(start, clock_.Ticks());
      if (elapsed < limitMs) clock_.Sleep(limitMs - elapsed);
      break;
    }
    total += got;
  } while (total < count && TicksSince(start, clock_.Ticks()) < limitMs);
  return total;
}

int CSerialChannel::ListPorts(int mode) {
  if (mode == kModeComPort) return kComPortCount;
  if (IsCameraLinkMode(mode)) {
    return WithCameraLink(*this, mode, [](auto& channel) { return channel.ListPorts(); });
  }
  return 0;
}

int CSerialChannel::GetPortCount() {
  return ListPorts(mode_);
}

std::string CSerialChannel::GetPortName(int portIndex) {
  if (mode_ == kModeComPort) {
    if (portIndex < 0 || portIndex >= kComPortCount) return "ERROR";
    return "COM" + std::to_string(portIndex + 1);
  }
  if (IsCameraLinkMode(mode_)) {
    return WithCameraLink(*this, mode_,
                          [&](auto& channel) { return channel.PortEntry(portIndex); });
  }
  return "ERROR";
}

void CSerialChannel::LogSent(const std::string& text) {
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n')) --end;
  const std::string bare = text.substr(0, end);
  host_.LogTerminal("Tx: " + bare);
  host_.LogMessage(bare);
}

}  // namespace cct
