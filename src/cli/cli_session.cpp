#include "cli/cli_session.h"

#include "cli/cli_exit.h"
#include "protocol/shutdown_request.h"
#include "serial/line_selection.h"

namespace cct {

CliSession::CliSession(const CliOptions& options, Preferences& preferences, ConsoleHost& host)
    : options_(options),
      preferences_(preferences),
      host_(host),
      line_(host, preferences, SystemClock()),
      command_(line_, host, SystemClock(), timing_),
      table_(host) {
  // A script waits for no polling step: an exchange ends as its answer's
  // line end arrives. The line is then left quiet a few character times,
  // so a line a camera adds after its answer is read off, not taken for
  // the next command's answer.
  timing_.answerAtLineEnd = true;
  timing_.quietCharactersBeforeCommand = 3;
}

int CliSession::Connect() {
  if (options_.mode >= 0) line_.SetMode(options_.mode);
  const int mode = line_.GetMode();
  int portIndex = line_.GetPortIndex();
  std::string error;
  if (!PortIndexFor(options_.port, mode, portIndex, error)) {
    host_.Say(error);
    return kExitBadInput;
  }
  line_.SetComDevice(options_.device);
  // A Camera Link port is opened by its place in the mode's list.
  line_.ListPorts(mode);
  const int firstRate = options_.baudRate > 0 ? options_.baudRate : 9600;
  if (!line_.Open(mode, firstRate, portIndex)) {
    // After the channel's own words on what failed, as the window says it.
    host_.Say("Failed to initialize!");
    return kExitNoAnswer;
  }
  if (options_.baudRate > 0) return kExitDone;

  LineSelection selection(line_, command_, host_, model_, preferences_);
  if (selection.StartUpConnection()) return kExitDone;
  return NoAnswer();
}

int CliSession::Failure() {
  return command_.LastTimedOut() ? NoAnswer() : kExitRefused;
}

int CliSession::NoAnswer() {
  // A run ended by a signal was not let down by the camera.
  if (!noAnswerSaid_ && !ShutdownRequested()) host_.Say(kNoAnswerMessage);
  noAnswerSaid_ = true;
  return kExitNoAnswer;
}

}  // namespace cct
