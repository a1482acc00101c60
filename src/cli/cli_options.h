#pragma once

#include <string>
#include <vector>

namespace cct {

// What a command line asks of camera-ctl. Every setting of the line that the
// command line leaves out comes from the tool's stored preferences.
struct CliOptions {
  int mode = -1;         // communication mode 0..3; -1: the stored one
  std::string port;      // "COMn" or a Camera Link list index; empty: the stored one
  std::string device;    // COM mode: a device path or rfc2217://HOST:PORT in place of COMn
  int baudRate = 0;      // bit/s; 0: search as the window does at start-up
  bool factory = false;  // factory rows and the factory area too
  bool json = false;     // read commands print JSON
  bool verbose = false;  // every line sent and received on standard error
  int waitMs = 1000;     // "raw": how long to collect the camera's lines
  bool help = false;
  bool version = false;
  std::string command;            // "get", "set", ...
  std::vector<std::string> args;  // the command's own arguments
};

// Reads the options and the command. False with `error` set when the
// command line cannot be taken as it stands; nothing has been sent then.
bool ParseCliOptions(const std::vector<std::string>& arguments, CliOptions& options,
                     std::string& error);

// The port index `port` names in `mode`: COMn in the COM mode, a list index
// in the Camera Link modes. An empty `port` leaves `portIndex` alone.
bool PortIndexFor(const std::string& port, int mode, int& portIndex, std::string& error);

// The usage text of --help.
const char* CliUsage();

}  // namespace cct
