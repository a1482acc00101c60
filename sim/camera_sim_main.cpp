// camera-sim: the simulated camera on a pseudo-terminal, linked into the port
// map as a COM port, until SIGINT or SIGTERM (or until it hangs up).

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/unique_fd.h"
#include "sim/pty_camera.h"
#include "sim/register_map.h"

namespace {

constexpr const char* kUsage =
    "usage: camera-sim [options]\n"
    "  --port NAME               link the port map entry NAME (e.g. COM1) to the camera's pty\n"
    "  --model NAME              model name the camera reports (default QX-2040L-RTN)\n"
    "  --baud RATE               baud rate at power-up: 9600, 19200, 38400, 57600 or 115200\n"
    "  --silent                  never answer\n"
    "  --refuse MNEMONIC         answer this command with an error line (repeatable)\n"
    "  --refuse-line TEXT        answer exactly this line with an error line (repeatable)\n"
    "  --delay MNEMONIC=MS       answer this command after MS milliseconds (repeatable)\n"
    "  --silent-after N          answer the first N lines, then nothing; the line stays open\n"
    "  --unsolicited MS          send an unsolicited line every MS milliseconds\n"
    "  --unsolicited-length N    pad each unsolicited line to N characters\n"
    "  --lf-only                 end lines with LF instead of CR LF\n"
    "  --long-lines              send an over-long line in place of each answer\n"
    "  --hang-up-after N         hang up when the N-th line comes in (it is not answered)\n"
    "  --extra-line TEXT         send the line TEXT after every answer\n"
    "  --stop-reading-after N    read no more of the line after N bytes (the host's writes stall)\n"
    "  --stream                  send characters without any line end, on and on\n"
    "  --calibration-result N    status a recalibration ends with (default 1, succeeded)\n"
    "  --calibration-busy N      status polls answered busy before the result (default 2)\n"
    "  --calibration-silent      leave the status polls unanswered while busy\n"
    "  --reset-silence MS        silence after a camera reset (default 2000)\n"
    "  --no-pace                 send at full speed instead of at the baud rate\n"
    "  --camera-id TEXT          camera ID, 1 to 10 characters\n"
    "  --user-id TEXT            user ID, up to 16 characters\n"
    "  --device-version A.B.C.D  device version of four parts, up to 16 characters\n"
    "  --firmware N              firmware version number, 0 to 9999 (121 reads 1.21)\n"
    "  --fpga N                  FPGA version number, 0 to 9999\n"
    "                            (identity texts: printable characters, no space or comma)\n"
    "  --help                    show this help\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "camera-sim: %s\n%s", message.c_str(), kUsage);
  return 2;
}

// Identity texts travel in command lines and come back in answers that drop
// spaces and end at a comma: printable ASCII without either.
bool IsIdentityText(std::string_view text, size_t maxLength) {
  if (text.size() > maxLength) return false;
  for (char c : text) {
    if (c <= ' ' || c > '~' || c == ',') return false;
  }
  return true;
}

// Four non-empty parts separated by three dots.
bool IsDeviceVersion(std::string_view text) {
  if (!IsIdentityText(text, 16) || text.empty() || text.front() == '.' || text.back() == '.') {
    return false;
  }
  int dots = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '.') continue;
    if (text[i + 1] == '.') return false;
    ++dots;
  }
  return dots == 3;
}

bool ToInt(std::string_view text, long long min, long long max, long long& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size() && out >= min && out <= max;
}

}  // namespace

int main(int argc, char** argv) {
  sim::PtyOptions options;
  // Register values set once the camera exists, by mnemonic.
  std::vector<std::pair<std::string, std::string>> identity;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string value;
    bool hasValue = false;
    if (const size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = arg.substr(eq + 1);
      arg.resize(eq);
      hasValue = true;
    }
    auto takeValue = [&]() -> bool {
      if (hasValue) return true;
      if (i + 1 >= argc) return false;
      value = argv[++i];
      return true;
    };
    auto takeInt = [&](long long min, long long max, long long& out) -> bool {
      return takeValue() && ToInt(value, min, max, out);
    };
    const bool flag = !hasValue;
    long long n = 0;
    if (arg == "--help" && flag) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--port") {
      if (!takeValue() || value.empty() || value.find('/') != std::string::npos) {
        return UsageError("--port needs a name such as COM1");
      }
      options.portName = value;
    } else if (arg == "--model") {
      if (!takeValue() || value.empty()) return UsageError("--model needs a name");
      options.engine.model = value;
    } else if (arg == "--baud") {
      if (!takeInt(0, 1000000, n) || sim::BitsFromBaud(static_cast<int>(n)) == 0) {
        return UsageError("--baud needs one of 9600, 19200, 38400, 57600, 115200");
      }
      options.engine.baudRate = static_cast<int>(n);
    } else if (arg == "--silent" && flag) {
      options.engine.silent = true;
    } else if (arg == "--refuse") {
      if (!takeValue() || value.empty()) return UsageError("--refuse needs a mnemonic");
      options.engine.refused.insert(value);
    } else if (arg == "--refuse-line") {
      if (!takeValue() || value.empty()) return UsageError("--refuse-line needs a line");
      options.engine.refusedLines.insert(value);
    } else if (arg == "--delay") {
      const size_t eq = takeValue() ? value.find('=') : std::string::npos;
      if (eq == std::string::npos || eq == 0 ||
          !ToInt(std::string_view(value).substr(eq + 1), 0, 3600000, n)) {
        return UsageError("--delay needs MNEMONIC=MS, such as SA=3000");
      }
      options.engine.answerDelayMs[value.substr(0, eq)] = static_cast<uint32_t>(n);
    } else if (arg == "--silent-after") {
      if (!takeInt(0, 1000000000, n)) return UsageError("--silent-after needs a line count");
      options.engine.silentAfterLines = static_cast<int>(n);
    } else if (arg == "--unsolicited") {
      if (!takeInt(1, 86400000, n)) return UsageError("--unsolicited needs milliseconds");
      options.unsolicitedPeriodMs = static_cast<uint32_t>(n);
    } else if (arg == "--unsolicited-length") {
      if (!takeInt(1, 100000, n)) return UsageError("--unsolicited-length needs a length");
      options.unsolicitedLength = static_cast<size_t>(n);
    } else if (arg == "--lf-only" && flag) {
      options.lfOnly = true;
    } else if (arg == "--long-lines" && flag) {
      options.longLines = true;
    } else if (arg == "--extra-line") {
      if (!takeValue() || value.empty() || value.find_first_of("\r\n") != std::string::npos) {
        return UsageError("--extra-line needs a text without CR or LF");
      }
      options.extraLine = value;
    } else if (arg == "--stop-reading-after") {
      if (!takeInt(0, 1000000000000LL, n))
        return UsageError("--stop-reading-after needs a byte count");
      options.stopReadingAfterBytes = n;
    } else if (arg == "--stream" && flag) {
      options.streamWithoutLineEnds = true;
    } else if (arg == "--hang-up-after") {
      if (!takeInt(0, 1000000000, n)) return UsageError("--hang-up-after needs a line count");
      options.hangUpAfterLines = static_cast<int>(n);
    } else if (arg == "--calibration-result") {
      if (!takeInt(-1000000, 1000000, n)) return UsageError("--calibration-result needs a number");
      options.engine.calibrationResult = static_cast<int>(n);
    } else if (arg == "--calibration-silent" && flag) {
      options.engine.calibrationSilentWhileBusy = true;
    } else if (arg == "--calibration-busy") {
      if (!takeInt(0, 1000000, n)) return UsageError("--calibration-busy needs a count");
      options.engine.calibrationBusyPolls = static_cast<int>(n);
    } else if (arg == "--reset-silence") {
      if (!takeInt(0, 3600000, n)) return UsageError("--reset-silence needs milliseconds");
      options.engine.resetSilenceMs = static_cast<uint32_t>(n);
    } else if (arg == "--no-pace" && flag) {
      options.pace = false;
    } else if (arg == "--camera-id") {
      if (!takeValue() || value.empty() || !IsIdentityText(value, 10)) {
        return UsageError("--camera-id needs 1 to 10 printable characters, no space or comma");
      }
      identity.emplace_back("ID", value);
    } else if (arg == "--user-id") {
      if (!takeValue() || !IsIdentityText(value, 16)) {
        return UsageError("--user-id needs up to 16 printable characters, no space or comma");
      }
      identity.emplace_back("UD", value);
    } else if (arg == "--device-version") {
      if (!takeValue() || !IsDeviceVersion(value)) {
        return UsageError("--device-version needs four parts such as 1.2.0.5");
      }
      identity.emplace_back("DV", value);
    } else if (arg == "--firmware") {
      if (!takeInt(0, 9999, n)) return UsageError("--firmware needs a number from 0 to 9999");
      identity.emplace_back("VN", std::to_string(n));
    } else if (arg == "--fpga") {
      if (!takeInt(0, 9999, n)) return UsageError("--fpga needs a number from 0 to 9999");
      identity.emplace_back("PV", std::to_string(n));
    } else {
      return UsageError("unknown option " + std::string(argv[i]));
    }
  }

  // Signals arrive through a descriptor, so no thread is interrupted and the
  // camera's thread inherits the blocked mask.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  cct::UniqueFd signalFd(signalfd(-1, &signals, SFD_CLOEXEC));
  cct::UniqueFd hangUpFd(eventfd(0, EFD_CLOEXEC));
  if (!signalFd.Valid() || !hangUpFd.Valid()) {
    std::fprintf(stderr, "camera-sim: %s\n", std::strerror(errno));
    return 1;
  }
  const int hangUpWake = hangUpFd.Get();
  options.onHangUp = [hangUpWake] {
    const uint64_t one = 1;
    (void)!write(hangUpWake, &one, sizeof one);
  };

  sim::PtyCamera camera(options);
  bool identitySet = true;
  camera.WithEngine([&](sim::CameraEngine& engine) {
    for (const auto& [mnemonic, value] : identity) identitySet &= engine.SetValue(mnemonic, value);
  });
  if (!identitySet) {
    std::fprintf(stderr, "camera-sim: the camera did not take its identity data\n");
    return 1;
  }
  std::string error;
  if (!camera.Start(&error)) {
    std::fprintf(stderr, "camera-sim: %s\n", error.c_str());
    return 1;
  }
  std::printf("pty: %s\n", camera.SlavePath().c_str());
  if (!camera.LinkPath().empty()) std::printf("link: %s\n", camera.LinkPath().c_str());
  std::fflush(stdout);

  pollfd fds[2] = {{signalFd.Get(), POLLIN, 0}, {hangUpFd.Get(), POLLIN, 0}};
  while (poll(fds, 2, -1) < 0 && errno == EINTR) {
  }
  if (fds[1].revents != 0) std::fprintf(stderr, "camera-sim: hung up\n");
  camera.Stop();
  return 0;
}
