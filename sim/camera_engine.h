#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "protocol/command_table.h"
#include "sim/register_map.h"

namespace sim {

// How the simulated camera is built and which faults it shows.
struct EngineOptions {
  std::string model = "QX-2040L-RTN";  // answer to "MD?"; "MD00" changes it
  int baudRate = 9600;                 // bit/s at power-up
  bool silent = false;                 // answers nothing at all
  std::set<std::string> refused;       // mnemonics answered with an error line
  std::set<std::string> refusedLines;  // exact lines ("SA=2") answered with an error line
  // Milliseconds between a command's arrival and its answer, by mnemonic. The
  // camera acts on the line at once; only the answer is late.
  std::map<std::string, uint32_t> answerDelayMs;
  int silentAfterLines = -1;     // >=0: hears nothing after this many lines, line stays open
  int calibrationBusyPolls = 2;  // status queries answered 0 (busy) after a recalibration start
  int calibrationResult = 1;     // status then reported (1 succeeded, 2 too bright, ...)
  bool calibrationSilentWhileBusy = false;  // status queries go unanswered while busy
  uint32_t resetSilenceMs = 2000;           // silence after "CRS00=1" before the camera is back
};

// Error lines. None begins with "COMPLETE", so the host sees a refusal.
inline constexpr const char* kErrSyntax = "ERROR: syntax";
inline constexpr const char* kErrUnknown = "ERROR: unknown command";
inline constexpr const char* kErrRange = "ERROR: out of range";
inline constexpr const char* kErrValue = "ERROR: invalid value";
inline constexpr const char* kErrReadOnly = "ERROR: read only";
inline constexpr const char* kErrWriteOnly = "ERROR: write only";
inline constexpr const char* kErrTooLong = "ERROR: too long";
inline constexpr const char* kErrLocked = "ERROR: locked";
inline constexpr const char* kErrCode = "ERROR: wrong code";
inline constexpr const char* kErrRefused = "ERROR: not available";

// The camera's side of the line protocol: every command of the command table,
// with the parameter defaults and ranges, four flash areas, the 256-entry LUT,
// calibrations, identity data, temperatures and limits. Plain data in, lines
// out; the transport (pseudo-terminal, fake Camera Link library) is elsewhere.
// Not thread-safe: transports serialise calls.
class CameraEngine {
 public:
  explicit CameraEngine(EngineOptions options = {});

  // One line received from the host, without CR LF. Returns the camera's
  // answer lines in order, each without CR LF; empty when it stays silent.
  std::vector<std::string> HandleLine(const std::string& line, uint64_t nowMs);

  // How long the answer to `line` is held back, in ms; 0 for most commands.
  uint32_t AnswerDelayMs(const std::string& line) const;

  // bit/s at which the camera listens and talks now.
  int BaudRate() const;
  // A "CBDRT" write is answered at the old rate; the transport calls this
  // once that answer is on the wire, and the camera then uses the new rate.
  void ApplyPendingBaudRate();

  // Direct access for tests and for the transports' diagnostics. Values are
  // the wire text ("100", "QX-2040L-RTN"). SetValue skips access rights and
  // ranges but not the value kind; false for an unknown mnemonic.
  bool GetValue(const std::string& mnemonic, std::string& value) const;
  bool SetValue(const std::string& mnemonic, const std::string& value);

  // True while the camera reboots after "CRS00=1" and hears nothing.
  bool Rebooting(uint64_t nowMs) const { return nowMs < resetUntilMs_; }

  const EngineOptions& Options() const { return options_; }
  EngineOptions& MutableOptions() { return options_; }

 private:
  // What a flash area holds: the running settings and the LUT.
  struct SettingSet {
    std::array<int, cct::kCommandCount> numbers{};
    std::vector<int> lut;
  };
  // One recalibration's progress as its status command reports it.
  struct Calibration {
    int busyPollsLeft = 0;
    int status = 1;
  };

  std::string Query(const RegisterSpec& spec);
  // True when a status query of a running recalibration goes unanswered.
  bool SilentWhileBusy(const RegisterSpec& spec);
  std::string Write(const RegisterSpec& spec, const std::string& valueText, uint64_t nowMs);
  std::string WriteText(const RegisterSpec& spec, const std::string& value);
  std::string RunAction(const RegisterSpec& spec, int value, uint64_t nowMs);
  int ReadNumber(int id) const;
  Calibration* CalibrationFor(int id);
  int LinePeriodMin() const;
  int BootArea() const;
  void LoadArea(int area);
  void StoreArea(int area);
  void Reboot();

  EngineOptions options_;
  int baudRate_ = 9600;
  int pendingBaud_ = 0;
  std::array<int, cct::kCommandCount> numbers_{};        // integer registers by command id
  std::array<std::string, cct::kCommandCount> texts_{};  // text registers by command id
  std::vector<int> lut_;                                 // the running LUT
  std::array<SettingSet, kAreaCount> areas_;
  int currentArea_ = 0;                        // answer of "EA?": area last loaded or booted
  int lastStoredUserArea_ = 1;                 // the "update area" a BAS00=1 camera boots from
  std::array<Calibration, 6> calibrations_{};  // SDS, PGS, PBS, SDS00, PGS00, PBS00
  std::array<int, 4> temperatures_ = {42, 38, 45, 55};  // by TMPS0 place, degrees C
  uint64_t resetUntilMs_ = 0;
  bool unlocked_ = false;
  int linesHeard_ = 0;  // non-empty lines, counted up to options_.silentAfterLines
};

}  // namespace sim
