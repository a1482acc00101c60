#pragma once

namespace cct {

// What camera-ctl's exit status tells a script.
enum CliExit : int {
  kExitDone = 0,
  kExitRefused = 1,   // the camera refused a command
  kExitNoAnswer = 2,  // no answer from the camera, or the line could not be opened
  kExitBadInput = 3,  // bad command line, value or file; nothing was sent
};

}  // namespace cct
