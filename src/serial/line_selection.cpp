#include "serial/line_selection.h"

#include <utility>

#include "protocol/command_table.h"
#include "protocol/shutdown_request.h"

namespace cct {

namespace {

constexpr const char* kFailedToInitialize = "Failed to initialize!";
// The camera may take its time to name the area it runs from.
constexpr uint32_t kAreaQueryLimitMs = 5000;
// Baud rate indexes of the start-up search, fastest first. 9600 bit/s comes
// again last, so a search without answer leaves the line at the rate every
// run starts with.
constexpr int kBaudSearchOrder[] = {4, 3, 2, 1, 0};
// The automatic search tries this many port indexes in every mode.
constexpr int kSearchPortCount = 16;

template <typename... Args>
void Call(const std::function<void(Args...)>& hook, Args... args) {
  if (hook) hook(args...);
}

}  // namespace

LineSelection::LineSelection(CSerialChannel& line, Command& command, Host& host,
                             CameraModelRecord& record, Preferences& preferences,
                             LineSelectionHooks hooks)
    : line_(line),
      command_(command),
      host_(host),
      record_(record),
      preferences_(preferences),
      hooks_(std::move(hooks)) {}

void LineSelection::SetHooks(LineSelectionHooks hooks) {
  hooks_ = std::move(hooks);
}

bool LineSelection::Probe() {
  return ProbeCamera(command_, host_, record_);
}

void LineSelection::FinishWithCamera() {
  Call(hooks_.fullRead);
}

bool LineSelection::StartUpGuard() {
  if (preferences_.PreviousRunEndedNormally()) return false;
  // Only the mode falls back; the port indexes of every mode stay as stored.
  line_.SetMode(kModeComPort);
  return true;
}

void LineSelection::ListPortsOfMode(int mode) {
  // A Camera Link mode opens a port by its place in the mode's port list, so
  // the list is made before the line is opened in that mode; otherwise the
  // open would find no entry and fail.
  line_.ListPorts(mode);
}

bool LineSelection::StartUpConnection() {
  bool answered = false;
  ListPortsOfMode(line_.GetMode());
  if (line_.Reopen()) {
    answered = Probe();
    // Asked whether or not the model query was answered; only an answer is
    // taken over.
    int32_t area = 0;
    if (command_.QueryValue(kCmdEA, area, kAreaQueryLimitMs)) {
      Call(hooks_.setCurrentArea, static_cast<int>(area));
    }
  } else {
    host_.MessageBox(kFailedToInitialize, kAppCaption, MsgIcon::Warning);
  }

  if (!answered) {
    for (int baudIndex : kBaudSearchOrder) {
      if (ShutdownRequested()) return false;
      // A failing reopen has shown its own message; the probe then fails too.
      line_.ReopenWithBaudRate(BaudIndexToRate(baudIndex));
      Call(hooks_.selectBaudIndex, baudIndex);
      if (Probe()) {
        answered = true;
        break;
      }
    }
  }

  if (answered) FinishWithCamera();
  return answered;
}

bool LineSelection::LineChanged(LineSetting which, int value) {
  switch (which) {
    case LineSetting::kMode:
      ListPortsOfMode(value);
      if (!line_.ReopenWithMode(value)) {
        host_.MessageBox(kFailedToInitialize, kAppCaption, MsgIcon::Warning);
      }
      Call(hooks_.refillPortList);
      break;
    case LineSetting::kBaudIndex:
      line_.ReopenWithBaudRate(BaudIndexToRate(value));
      break;
    case LineSetting::kPortIndex:
      line_.ReopenWithPort(value);
      break;
  }
  // A failed reopen leaves nothing to answer; the probe's time-out is the
  // operator's hint, as with a silent camera.
  if (!Probe()) return false;
  FinishWithCamera();
  return true;
}

int LineSelection::AutomaticPortSearch() {
  int found = -1;
  for (int portIndex = 0; portIndex < kSearchPortCount && !ShutdownRequested(); ++portIndex) {
    if (line_.ReopenWithPort(portIndex) && Probe()) {
      found = portIndex;
      break;
    }
  }
  if (found < 0) {
    host_.MessageBox(kNoAnswerMessage, kCommErrorCaption, MsgIcon::Warning);
    host_.SetOnline(false);
    return -1;
  }
  host_.SetOnline(true);
  Call(hooks_.selectPortIndex, found);
  FinishWithCamera();
  return found;
}

}  // namespace cct
