#pragma once

#include <cstdint>

namespace cct {

// Every fixed wait of the program in one place. The program runs with these
// defaults; tests shorten them.
struct Timing {
  uint32_t answerPollMs = 20;          // between two looks for the camera's answer line
  uint32_t byteReadLimitMs = 10;       // one byte read from the line
  uint32_t pollingPeriodMs = 25;       // reading unsolicited lines between exchanges
  uint32_t progressHoldMs = 1000;      // progress window shows 100 % this long before closing
  uint32_t calibrationPauseMs = 1000;  // camera settles after a recalibration
  uint32_t storeAllGapMs = 20;         // between the area writes of "Store All"
  uint32_t lutGapMs = 20;              // between LUT entries sent to the camera
  uint32_t exposeWaitMs = 500;         // at most, for the window system to show a new window
  // The window looks for an answer every answerPollMs. A program of our own
  // may instead wait on the line's input and end the wait as soon as the
  // answer's line end is there.
  bool answerAtLineEnd = false;
  // Before a command goes out the line is read off until it has been quiet
  // this many character times, so a line the camera sends right after an
  // answer is not taken for the next one's; 0: only what is there is read.
  uint32_t quietCharactersBeforeCommand = 0;
};

// The program's one timing object.
Timing& ProgramTiming();

}  // namespace cct
