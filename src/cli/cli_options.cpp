#include "cli/cli_options.h"

#include <charconv>
#include <regex>

#include "serial/network_address.h"
#include "serial/serial_channel.h"

namespace cct {

namespace {

// The commands and how many arguments each takes: at least, at most (-1 any).
struct CommandShape {
  const char* name;
  int minimum;
  int maximum;
};
constexpr CommandShape kCommands[] = {
    {"get", 1, -1}, {"set", 1, -1}, {"dump", 0, 0},     {"apply", 1, 1}, {"diff", 1, 1},
    {"area", 2, 2}, {"lut", 1, 2},  {"identify", 0, 0}, {"raw", 1, 1},   {"ports", 0, 0},
};

bool WholeNumber(const std::string& text, int& value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [at, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && at == end;
}

bool ParseMode(const std::string& text, int& mode) {
  if (text == "com")
    mode = kModeComPort;
  else if (text == "cl2000")
    mode = kModeCameraLink2000;
  else if (text == "cl2001")
    mode = kModeCameraLink2001;
  else if (text == "cl11")
    mode = kModeCameraLink11;
  else
    return false;
  return true;
}

// "COMn" (n 1..16) for the COM mode, a list index 0..255 for Camera Link.
bool ParsePort(const std::string& text, int& portIndex) {
  static const std::regex com("COM([0-9]+)");
  std::smatch m;
  int number = 0;
  if (std::regex_match(text, m, com)) {
    if (!WholeNumber(m[1].str(), number) || number < 1 || number > kComPortCount) return false;
    portIndex = number - 1;
    return true;
  }
  if (!WholeNumber(text, number) || number < 0 || number > 255) return false;
  portIndex = number;
  return true;
}

bool IsComPortName(const std::string& port) {
  return port.rfind("COM", 0) == 0;
}

bool ParseBaud(const std::string& text, int& rate) {
  if (text == "auto") {
    rate = 0;
    return true;
  }
  int number = 0;
  // BaudRateToIndex gives 0 for any unknown rate: only 9600 may map there.
  if (!WholeNumber(text, number) || BaudIndexToRate(BaudRateToIndex(number)) != number) {
    return false;
  }
  rate = number;
  return true;
}

}  // namespace

bool PortIndexFor(const std::string& port, int mode, int& portIndex, std::string& error) {
  if (port.empty()) return true;
  int index = 0;
  const bool comName = IsComPortName(port);
  if (!ParsePort(port, index) || comName != (mode == kModeComPort)) {
    error = mode == kModeComPort
                ? "--port takes COM1 to COM16 in the com mode, not \"" + port + "\""
                : "--port takes the port's list index in a Camera Link mode (see \"ports\"), "
                  "not \"" +
                      port + "\"";
    return false;
  }
  portIndex = index;
  return true;
}

namespace {

bool CheckShape(const CliOptions& options, std::string& error) {
  for (const CommandShape& shape : kCommands) {
    if (options.command != shape.name) continue;
    const int count = static_cast<int>(options.args.size());
    if (count < shape.minimum || (shape.maximum >= 0 && count > shape.maximum)) {
      error = "wrong number of arguments for \"" + options.command + "\" (see --help)";
      return false;
    }
    if (options.command == "area" && options.args[0] != "load" && options.args[0] != "store") {
      error = "area takes \"load N\" or \"store N\"";
      return false;
    }
    if (options.command == "lut") {
      const bool read = options.args[0] == "read" && count == 1;
      const bool write = options.args[0] == "write" && count == 2;
      if (!read && !write) {
        error = "lut takes \"read\" or \"write FILE.csv\"";
        return false;
      }
    }
    return true;
  }
  error = "unknown command \"" + options.command + "\" (see --help)";
  return false;
}

}  // namespace

bool ParseCliOptions(const std::vector<std::string>& arguments, CliOptions& options,
                     std::string& error) {
  options = CliOptions();
  size_t i = 0;
  auto value = [&](const std::string& name, std::string& out) {
    if (i + 1 >= arguments.size()) {
      error = name + " needs a value";
      return false;
    }
    out = arguments[++i];
    return true;
  };
  for (; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    std::string v;
    if (a == "--help" || a == "-h") {
      options.help = true;
    } else if (a == "--version") {
      options.version = true;
    } else if (a == "--factory") {
      options.factory = true;
    } else if (a == "--json") {
      options.json = true;
    } else if (a == "--verbose" || a == "-v") {
      options.verbose = true;
    } else if (a == "--mode") {
      if (!value(a, v)) return false;
      if (!ParseMode(v, options.mode)) {
        error = "--mode takes com, cl2000, cl2001 or cl11, not \"" + v + "\"";
        return false;
      }
    } else if (a == "--port") {
      if (!value(a, options.port)) return false;
    } else if (a == "--device") {
      if (!value(a, options.device)) return false;
      NetworkAddress server;
      if ((options.device.empty() || options.device[0] != '/') &&
          !ParseRfc2217Url(options.device, server)) {
        error =
            "--device takes the device's absolute path, e.g. /dev/ttyUSB0, or a serial "
            "server's port, rfc2217://HOST:PORT";
        return false;
      }
    } else if (a == "--baud") {
      if (!value(a, v)) return false;
      if (!ParseBaud(v, options.baudRate)) {
        error = "--baud takes 9600, 19200, 38400, 57600, 115200 or auto, not \"" + v + "\"";
        return false;
      }
    } else if (a == "--wait") {
      if (!value(a, v)) return false;
      if (!WholeNumber(v, options.waitMs) || options.waitMs < 0 || options.waitMs > 3600000) {
        error = "--wait takes milliseconds, 0 to 3600000";
        return false;
      }
    } else if (a.size() > 1 && a[0] == '-' && options.command.empty()) {
      error = "unknown option \"" + a + "\" (see --help)";
      return false;
    } else if (options.command.empty()) {
      options.command = a;
    } else {
      options.args.push_back(a);
    }
  }
  if (options.help || options.version) return true;
  if (!options.port.empty()) {
    int index = 0;
    if (!ParsePort(options.port, index)) {
      error = "--port takes COM1 to COM16, or a Camera Link list index 0 to 255, not \"" +
              options.port + "\"";
      return false;
    }
    // A COM port name picks the COM mode, whatever the stored mode is.
    if (IsComPortName(options.port) && options.mode < 0) options.mode = kModeComPort;
  }
  if (!options.device.empty()) {
    if (options.mode >= 0 && options.mode != kModeComPort) {
      error = "--device is for the com mode only";
      return false;
    }
    options.mode = kModeComPort;
  }
  if (options.command.empty()) {
    error = "no command given (see --help)";
    return false;
  }
  return CheckShape(options, error);
}

const char* CliUsage() {
  return R"(usage: camera-ctl [OPTIONS] COMMAND [ARGUMENTS]

The camera operations of the Camera Control Tool for scripts.

Options:
  --mode com|cl2000|cl2001|cl11  the line: PC serial port or a Camera Link
                         serial library (default: the tool's stored mode)
  --port COMn            com mode: the port through the port map
  --port N               Camera Link modes: index in the mode's port list
  --device PATH          com mode: a serial device by its path
  --device rfc2217://HOST:PORT
                         com mode: a serial port on a serial server (RFC 2217)
  --baud RATE|auto       9600, 19200, 38400, 57600, 115200, or auto (default):
                         ask at 9600, then search 115200 down to 9600
  --factory              factory settings and the factory area too
  --json                 read commands print JSON
  --wait MS              raw: how long to collect lines (default 1000)
  --verbose              every line sent and received on standard error
  --help, --version

Commands:
  get NAME...            print NAME=VALUE for each setting (GA, TMP0, MD, ...)
  set NAME=VALUE...      check all values first, then send them in order
  dump                   every setting as a camera setting file (.cam)
  apply FILE.cam         send a camera setting file; its model line only with
                         --factory, its device value line never
  diff FILE.cam          lines of the file that differ from the camera
  area load N            load flash area N (0 factory, 1-3 user)
  area store N           store the running settings into flash area N
  lut read               the camera's LUT as a gamma CSV file
  lut write FILE.csv     write a gamma CSV file's table to the camera
                         (FILE "-": standard input, for apply, diff and lut write)
  identify               model, versions, camera and user IDs
  raw TEXT               send TEXT and print the lines that come back
  ports                  list the ports of the mode

Exit status: 0 done, 1 refused by the camera, 2 no answer from the camera or
the line could not be opened, 3 bad input or file (nothing sent),
128+N ended by signal N.
)";
}

}  // namespace cct
