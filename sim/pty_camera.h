#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "protocol/unique_fd.h"
#include "sim/camera_engine.h"

namespace sim {

struct PtyOptions {
  // "COM1": link <port map folder>/COM1 -> the pty's slave; empty: no link.
  // The folder is $XDG_CONFIG_HOME/Ovreth/ports (~/.config/Ovreth/ports).
  std::string portName;
  EngineOptions engine;
  bool pace = true;                  // output paced at the baud rate (10 bit times per byte)
  bool lfOnly = false;               // end lines with LF only
  bool longLines = false;            // an over-long line (>1024 bytes) in place of each answer
  uint32_t unsolicitedPeriodMs = 0;  // >0: send an unsolicited "EVENT=n" line this often
  size_t unsolicitedLength = 0;      // >0: each such line padded to this many characters
  int hangUpAfterLines = -1;  // >=0: hang up when this many lines have come (the last unanswered)
  std::string extraLine;      // non-empty: one more line sent after every answer
  int64_t stopReadingAfterBytes = -1;  // >=0: reads no more after this many bytes
  bool streamWithoutLineEnds = false;  // sends characters without any line end, on and on
  std::function<void()> onHangUp;      // called on the camera's thread once it has hung up
};

// The camera engine behind a pseudo-terminal, on its own thread. The host
// opens the slave side (directly or through the port-map link) like a serial
// port; the camera only understands bytes sent while the line's speed equals
// its own baud rate.
class PtyCamera {
 public:
  explicit PtyCamera(PtyOptions options);
  ~PtyCamera();
  PtyCamera(const PtyCamera&) = delete;
  PtyCamera& operator=(const PtyCamera&) = delete;

  bool Start(std::string* error = nullptr);
  // Ends the thread, closes the pty and removes the link.
  void Stop();
  // Closes the master now: the host side sees a hang-up.
  void HangUp();

  const std::string& SlavePath() const { return slavePath_; }
  const std::string& LinkPath() const { return linkPath_; }

  // Thread-safe observers, for tests and diagnostics.
  std::vector<std::string> ReceivedLines() const;  // every line the camera got
  uint64_t DiscardedBytes() const;                 // bytes dropped at a wrong line speed
  bool HungUp() const;
  int BaudRate() const;
  // Runs f under the camera's lock.
  void WithEngine(const std::function<void(CameraEngine&)>& f);

 private:
  void Run();
  void ReadInput();
  bool LineSpeedMatches();
  void HandleReceivedLine(const std::string& line);
  bool SleepUntil(uint64_t deadlineMs);
  void SendLine(const std::string& text, bool isAnswer);
  // False when the host stopped taking bytes (or the camera is stopping).
  bool WriteBytes(const std::string& bytes, int baud);
  void DoHangUp();
  void Wake();
  bool CreateLink(std::string* error);
  void RemoveLink();

  PtyOptions options_;
  std::string slavePath_;
  std::string linkPath_;
  cct::UniqueFd master_;
  cct::UniqueFd slaveKeeper_;  // held open so the master never sees the host's close
  cct::UniqueFd wake_;         // eventfd that interrupts the thread's poll()
  std::thread thread_;
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> hangUpRequested_{false};

  mutable std::mutex mutex_;
  std::condition_variable hungUpChanged_;
  CameraEngine engine_;                // guarded by mutex_
  std::vector<std::string> received_;  // guarded by mutex_
  uint64_t discardedBytes_ = 0;        // guarded by mutex_
  bool hungUp_ = false;                // guarded by mutex_

  // The thread's own.
  std::string lineBuffer_;
  bool droppingLine_ = false;
  int linesReceived_ = 0;
  int eventCount_ = 0;
  int64_t bytesRead_ = 0;
};

}  // namespace sim
