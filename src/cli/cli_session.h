#pragma once

#include "cli/cli_options.h"
#include "cli/console_host.h"
#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "protocol/timing.h"
#include "serial/camera_model.h"
#include "serial/preferences.h"
#include "serial/serial_channel.h"

namespace cct {

// One run's line to the camera and what the exchanges need: the serial
// channel with the stored settings (overridden by the command line), the
// command exchange, the parameter table and the camera model record.
class CliSession {
 public:
  CliSession(const CliOptions& options, Preferences& preferences, ConsoleHost& host);
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  // Opens the line. With the automatic baud rate the camera is looked for as
  // the window does at start-up. An exit status: done, bad input, no answer.
  int Connect();

  // The exit status for the exchange that just failed: no answer (said
  // once) or refused (the camera's words have been shown).
  int Failure();

  CSerialChannel& Line() { return line_; }
  Command& GetCommand() { return command_; }
  ParameterTable& Table() { return table_; }
  CameraModelRecord& Model() { return model_; }
  ConsoleHost& GetHost() { return host_; }
  const CliOptions& Options() const { return options_; }

 private:
  int NoAnswer();

  const CliOptions& options_;
  Preferences& preferences_;
  ConsoleHost& host_;
  Timing timing_;
  CSerialChannel line_;
  Command command_;
  ParameterTable table_;
  CameraModelRecord model_;
  bool noAnswerSaid_ = false;
};

}  // namespace cct
