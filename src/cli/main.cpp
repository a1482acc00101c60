// camera-ctl: the camera operations of the Camera Control Tool for shell
// scripts and test stations, without a window system.
#include <signal.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_exit.h"
#include "cli/cli_options.h"
#include "cli/cli_version.h"
#include "cli/console_host.h"
#include "protocol/shutdown_request.h"
#include "serial/preference_file.h"

namespace {

volatile sig_atomic_t endingSignal = 0;

// One signal ends the run within one exchange: the exchanges stop waiting
// and nothing more is sent.
void OnEndingSignal(int number) {
  endingSignal = number;
  cct::RequestShutdown();
}

void InstallSignals() {
  struct sigaction action {};
  action.sa_handler = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  for (int number : {SIGINT, SIGTERM, SIGHUP}) sigaction(number, &action, nullptr);
  // A reader that went away (a closed pipe) shows as a failed write.
  signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv) {
  InstallSignals();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  cct::CliOptions options;
  std::string error;
  if (!cct::ParseCliOptions(arguments, options, error)) {
    std::cerr << "camera-ctl: " << error << '\n';
    return cct::kExitBadInput;
  }
  if (options.help) {
    std::cout << cct::CliUsage();
    return cct::kExitDone;
  }
  if (options.version) {
    std::cout << cct::CliVersionText() << '\n';
    return cct::kExitDone;
  }
  // The line the operator set up in the window; its settings stay as they are.
  cct::PreferenceFile preferences(cct::PreferenceFilePath(),
                                  cct::PreferenceFile::Access::kReadOnly);
  cct::ConsoleHost host(std::cerr, options.verbose);
  const int status =
      cct::RunCli(options, preferences, host, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
  if (endingSignal != 0) return 128 + endingSignal;
  return status;
}
