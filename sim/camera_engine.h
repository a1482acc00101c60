#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

// How the simulated camera is built and which faults it shows.
struct EngineOptions {
  std::string model = "QX-2040L-RTN";  // answer to "MD?"
  int baudRate = 9600;                 // bit/s at power-up
  bool silent = false;                 // answers nothing at all
  std::set<std::string> refused;       // mnemonics answered with an error line
  int calibrationBusyPolls = 2;        // status queries answered 0 (busy) after a recalibration start
  int calibrationResult = 1;           // status then reported (1 succeeded, 2 too bright, ...)
  uint32_t resetSilenceMs = 2000;      // silence after "CRS00=1" before the camera is back
};

// The camera's side of the line protocol: every command of the command table,
// with the parameter defaults and ranges, four flash areas, the 256-entry LUT,
// calibrations, identity data, temperatures and limits. Plain data in, lines
// out; the transport (pseudo-terminal, fake Camera Link library) is elsewhere.
class CameraEngine {
 public:
  explicit CameraEngine(EngineOptions options = {});

  // One line received from the host, without CR LF. Returns the camera's
  // answer lines in order, each without CR LF; empty when it stays silent.
  std::vector<std::string> HandleLine(const std::string& line, uint64_t nowMs);

  // bit/s at which the camera listens and talks now.
  int BaudRate() const;
  // A "CBDRT" write is answered at the old rate; the transport calls this
  // once that answer is on the wire, and the camera then uses the new rate.
  void ApplyPendingBaudRate();

  // Direct access for tests and for the transports' diagnostics.
  bool GetValue(const std::string& mnemonic, std::string& value) const;
  bool SetValue(const std::string& mnemonic, const std::string& value);

  const EngineOptions& Options() const { return options_; }
  EngineOptions& MutableOptions() { return options_; }

 private:
  struct Impl;
  EngineOptions options_;
  std::map<std::string, std::string> values_;  // the running settings
  // Further state is the implementation's (areas, LUT, calibration, reset).
  std::vector<std::map<std::string, std::string>> areas_;
  std::vector<int> lut_;
  int pendingBaud_ = 0;
  uint64_t resetUntilMs_ = 0;
  int calibrationPollsLeft_ = 0;
  bool unlocked_ = false;
};

}  // namespace sim
