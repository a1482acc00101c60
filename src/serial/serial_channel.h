#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "protocol/clock.h"
#include "protocol/host.h"
#include "protocol/line.h"
#include "serial/preferences.h"

namespace cct {

class CComPortChannel;
class CCameraLink2000Channel;
class CCameraLink2001Channel;
class CCameraLink11Channel;

enum CommunicationMode : int {
  kModeComPort = 0,
  kModeCameraLink2000 = 1,
  kModeCameraLink2001 = 2,
  kModeCameraLink11 = 3,
};
inline constexpr int kComPortCount = 16;

// Baud rate index (0..4) to bit/s; any other index gives 9600.
int BaudIndexToRate(int index);
// bit/s to baud rate index; any other rate gives 0.
int BaudRateToIndex(int rate);

// The one serial line of the program: holds mode, baud rate and a port index
// per mode, and routes every operation to the channel object of the mode.
class CSerialChannel : public Line {
 public:
  // Reads the stored mode and port indexes; the baud rate always starts at 9600.
  CSerialChannel(Host& host, Preferences& preferences, Clock& clock);
  // Closes the line and writes the settings back to the preferences.
  ~CSerialChannel() override;
  CSerialChannel(const CSerialChannel&) = delete;
  CSerialChannel& operator=(const CSerialChannel&) = delete;

  bool Open(int mode, int baudRate, int portIndex);
  bool Reopen();
  bool ReopenWithMode(int mode);
  bool ReopenWithBaudRate(int baudRate);
  bool ReopenWithPort(int portIndex);
  void Close();

  // Sends the text whole within a limit made from its length and the baud
  // rate, and logs it once sent; false when it could not go out whole.
  bool Write(const std::string& text) override;
  // What `Write` allows a text of `bytes` bytes at the current rate.
  uint32_t WriteLimitMs(size_t bytes) const;
  int Read(char* buffer, int count, uint32_t limitMs) override;
  int ReadWaiting(char* buffer, int count) override;
  bool WaitForInput(uint32_t limitUs) override;
  uint32_t CharacterTimeUs() const override;
  // A COM port knows whether its ring holds a byte; a Camera Link library
  // is asked by reading, so an open port counts as pending.
  bool InputPending() override;
  // Signalled by the COM port's receive thread and by every open; a Camera
  // Link library signals nothing, so its line has none.
  int InputSignal() override;

  // In the COM mode, open this device path instead of the port index's COMn;
  // empty (the default) for the port index. For the scripts' companion.
  void SetComDevice(const std::string& path) { comDevice_ = path; }

  // Lists the ports of `mode` anew (a Camera Link mode opens a port by its
  // place in that list) and gives their number; the COM ports need no list.
  int ListPorts(int mode);
  // The ports of the current mode, listed anew.
  int GetPortCount();
  std::string GetPortName(int portIndex);
  int GetMode() const { return mode_; }
  void SetMode(int mode) { mode_ = mode; }
  int GetPortIndex() const;
  int GetBaudRateIndex() const { return BaudRateToIndex(baudRate_); }
  int GetBaudRate() const { return baudRate_; }
  // Counts the opens of this run, so a reader can tell whether what it learnt
  // of the camera still belongs to the line as it is now.
  uint32_t OpenCount() const { return openCount_; }

  // Puts a sent text into the terminal list ("Tx: ") and the message list.
  void LogSent(const std::string& text);

  // Writes mode, baud rate and the four port indexes to the preferences.
  void SaveSettings();

  // The mode's channel objects, created on first use.
  CComPortChannel& ComPort();
  CCameraLink2000Channel& CameraLink2000();
  CCameraLink2001Channel& CameraLink2001();
  CCameraLink11Channel& CameraLink11();

 private:
  int* PortIndexSlot(int mode);
  int ReadComPort(char* buffer, int count, uint32_t limitMs);
  int ReadCameraLink(char* buffer, int count, uint32_t limitMs);
  // Whether the Camera Link channel of the current mode (1..3) has a port open.
  bool CameraLinkOpen();
  void SignalInput();

  Host& host_;
  Preferences& preferences_;
  Clock& clock_;
  int mode_ = kModeComPort;
  int baudRate_ = 9600;
  int portIndex_[4] = {0, 0, 0, 0};
  uint32_t openCount_ = 0;
  int inputSignal_ = -1;  // eventfd
  std::string comDevice_;
  std::unique_ptr<CComPortChannel> comPort_;
  std::unique_ptr<CCameraLink2000Channel> cl2000_;
  std::unique_ptr<CCameraLink2001Channel> cl2001_;
  std::unique_ptr<CCameraLink11Channel> cl11_;
};

}  // namespace cct
