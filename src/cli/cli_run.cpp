#include <cstring>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_exit.h"
#include "cli/json_text.h"
#include "cli/terminal_text.h"
#include "serial/port_map.h"

namespace cct {

namespace {

// The ports of the mode, by index, as the Communication dialog lists them;
// a COM port with the device it opens.
int RunPorts(const CliOptions& options, CliSession& session, std::ostream& out) {
  CSerialChannel& line = session.Line();
  if (options.mode >= 0) line.SetMode(options.mode);
  const int mode = line.GetMode();
  std::string text = options.json ? "[" : "";
  const int count = line.ListPorts(mode);
  int listed = 0;
  for (int i = 0; i < count; ++i) {
    std::string name = line.GetPortName(i);
    std::string device;
    if (mode == kModeComPort) {
      device = ResolvePortName(name);
      if (device.empty()) continue;  // no such port on this machine
    }
    const std::string port = mode == kModeComPort ? name : std::to_string(i);
    if (options.json) {
      text += (listed > 0 ? "," : "") + std::string("{\"port\":") + JsonString(port) +
              ",\"name\":" + JsonString(mode == kModeComPort ? device : name) + "}";
    } else {
      text += TerminalText(port) + "\t" + TerminalText(mode == kModeComPort ? device : name) + "\n";
    }
    ++listed;
  }
  out << text << (options.json ? "]\n" : "");
  if (listed == 0 && !options.json) session.GetHost().Say("No port of this mode was found.");
  return kExitDone;
}

}  // namespace

void CliContext::Progress(const char* what, int done, int count) {
  if (!showProgress) return;
  err << '\r' << what << "  (" << done << " / " << count << ")" << std::flush;
  progressOpen_ = true;
}

void CliContext::EndProgress() {
  if (progressOpen_) err << '\n' << std::flush;
  progressOpen_ = false;
}

int RunCli(const CliOptions& options, Preferences& preferences, ConsoleHost& host,
           std::ostream& out, std::ostream& err, bool errIsTerminal) {
  CliSession session(options, preferences, host);
  if (options.command == "ports") return RunPorts(options, session, out);
  CliContext context(session, out, err, errIsTerminal);
  using Runner = int (*)(CliContext&);
  static constexpr std::pair<const char*, Runner> kRunners[] = {
      {"get", RunGet},     {"set", RunSet},           {"dump", RunDump},
      {"apply", RunApply}, {"diff", RunDiff},         {"area", RunArea},
      {"lut", RunLut},     {"identify", RunIdentify}, {"raw", RunRaw},
  };
  int status = kExitBadInput;
  for (const auto& [name, run] : kRunners) {
    if (options.command == name) status = run(context);
  }
  // What was read must reach its reader: a full disk behind a redirection
  // is a failure, not a finished dump.
  out.flush();
  if (!out) {
    host.Say("Couldn't write the output.");
    if (status == kExitDone) status = kExitBadInput;
  }
  return status;
}

}  // namespace cct
