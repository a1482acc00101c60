#pragma once

#include <functional>

#include "protocol/command.h"
#include "protocol/host.h"
#include "serial/camera_model.h"
#include "serial/preferences.h"
#include "serial/serial_channel.h"

namespace cct {

// What the tool says when no camera answered on the line.
inline constexpr const char* kNoAnswerMessage =
    "No answer from Camera! (Timeout error)\nCheck power on Camera or serial cable connection.";

// The setting the operator changed in the Communication dialog.
enum class LineSetting {
  kMode,       // value: communication mode 0..3
  kBaudIndex,  // value: baud rate index 0..4
  kPortIndex,  // value: port index of the current mode
};

// What the line selection needs of the windows. Every member may be left
// empty; an empty hook is skipped.
struct LineSelectionHooks {
  // Reads all camera settings into the parameter pages.
  std::function<void()> fullRead;
  // Sets the Communication dialog's Baud Rate selection, nothing else.
  std::function<void(int baudIndex)> selectBaudIndex;
  // Sets the Communication dialog's Port Name selection, nothing else.
  std::function<void(int portIndex)> selectPortIndex;
  // Takes the camera's current setting area into the main window.
  std::function<void(int area)> setCurrentArea;
  // The Communication dialog refills its Port Name list for the line's mode.
  std::function<void()> refillPortList;
};

// Decides which line the tool talks on and finds out whether a camera answers
// there. Holds no state of its own; every operation runs to its end on the
// user-interface thread.
class LineSelection {
 public:
  LineSelection(CSerialChannel& line, Command& command, Host& host, CameraModelRecord& record,
                Preferences& preferences, LineSelectionHooks hooks = {});
  LineSelection(const LineSelection&) = delete;
  LineSelection& operator=(const LineSelection&) = delete;

  // The windows may exist only after this object; they hand in their hooks then.
  void SetHooks(LineSelectionHooks hooks);

  // Before any line is opened: falls back to the COM port (mode 0) when the
  // previous run did not end normally. True when the mode was changed.
  bool StartUpGuard();

  // Opens the stored line at 9600 bit/s, asks for the camera and its current
  // area, and searches the baud rates 115200 down to 9600 while no camera
  // answers. Ends with the full read when a camera answered; true then.
  bool StartUpConnection();

  // Reopens the line after the operator picked a new mode, baud rate index or
  // port index, then asks for the camera. Ends with the full read when a
  // camera answered; true then.
  bool LineChanged(LineSetting which, int value);

  // Tries port index 0..15 of the current mode at the current baud rate until
  // a camera answers. The port index found, or -1 when none answered.
  int AutomaticPortSearch();

 private:
  bool Probe();
  void FinishWithCamera();
  void ListPortsOfMode(int mode);

  CSerialChannel& line_;
  Command& command_;
  Host& host_;
  CameraModelRecord& record_;
  Preferences& preferences_;
  LineSelectionHooks hooks_;
};

}  // namespace cct
