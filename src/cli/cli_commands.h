#pragma once

#include <ostream>

#include "cli/cli_session.h"

namespace cct {

// What every command works with: the session on an open line, standard
// output for what it reads, and whether progress may be drawn on standard
// error (a terminal).
class CliContext {
 public:
  CliContext(CliSession& session, std::ostream& out, std::ostream& err, bool showProgress)
      : session(session), out(out), err(err), showProgress(showProgress) {}

  CliSession& session;
  std::ostream& out;
  std::ostream& err;
  bool showProgress = false;

  // Draws "<what>  (done / count)" over the progress line, on a terminal only.
  void Progress(const char* what, int done, int count);
  // Ends the progress line, if one was drawn.
  void EndProgress();

 private:
  bool progressOpen_ = false;
};

// Each command returns camera-ctl's exit status (cli_exit.h).
int RunGet(CliContext& context);
int RunSet(CliContext& context);
int RunDump(CliContext& context);
int RunApply(CliContext& context);
int RunDiff(CliContext& context);
int RunArea(CliContext& context);
int RunLut(CliContext& context);
int RunIdentify(CliContext& context);
int RunRaw(CliContext& context);

// Runs the command line's command from start to end, the line included;
// "ports" needs no open line. The exit status.
int RunCli(const CliOptions& options, Preferences& preferences, ConsoleHost& host,
           std::ostream& out, std::ostream& err, bool errIsTerminal);

}  // namespace cct
