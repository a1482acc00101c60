#pragma once

#include <string>

namespace cct {

// None: a plain box, as the calibration results come.
enum class MsgIcon { Warning, Information, Error, Question, None };
enum class MsgButtons { Ok, YesNo };
enum class MsgResult { Ok, Yes, No };

// Caption of the boxes the camera protocol raises.
inline constexpr const char* kCommErrorCaption = "Communication Error";
// Caption of every other box: the application's name.
inline constexpr const char* kAppCaption = "Camera Control Tool";

// What the protocol and serial layers need of the user interface. The window
// layer implements it; tests record what it was asked.
class Host {
 public:
  virtual ~Host() = default;
  virtual MsgResult MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                               MsgButtons buttons = MsgButtons::Ok) = 0;
  virtual void BeginBusy() = 0;
  virtual void EndBusy() = 0;
  virtual void SetOnline(bool online) = 0;
  // A line for the terminal list, already prefixed "Tx: " or "Rx: "; the
  // terminal puts its time stamp in front.
  virtual void LogTerminal(const std::string& line) = 0;
  // A bare line for the Communication dialog's message list.
  virtual void LogMessage(const std::string& line) = 0;
};

// A host that shows nothing and answers every box with its first button.
class NullHost : public Host {
 public:
  MsgResult MessageBox(const std::string&, const std::string&, MsgIcon,
                       MsgButtons buttons) override {
    return buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
  }
  void BeginBusy() override {}
  void EndBusy() override {}
  void SetOnline(bool) override {}
  void LogTerminal(const std::string&) override {}
  void LogMessage(const std::string&) override {}
};

}  // namespace cct
