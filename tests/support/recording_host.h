#pragma once

#include <functional>
#include <string>
#include <vector>

#include "protocol/host.h"

namespace cct::test {

// Records everything the protocol and serial layers ask of the user interface.
class RecordingHost : public Host {
 public:
  struct Box {
    std::string text;
    std::string caption;
    MsgIcon icon;
  };

  MsgResult MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgButtons buttons) override {
    boxes.push_back({text, caption, icon});
    if (duringBox) duringBox();
    return buttons == MsgButtons::YesNo ? answer : MsgResult::Ok;
  }
  void BeginBusy() override { ++busyDepth, ++busyCount; }
  void EndBusy() override { --busyDepth; }
  void SetOnline(bool online) override { onlineStates.push_back(online); }
  void LogTerminal(const std::string& line) override { terminal.push_back(line); }
  void LogMessage(const std::string& line) override { messages.push_back(line); }

  std::vector<Box> boxes;
  std::vector<bool> onlineStates;
  std::vector<std::string> terminal;
  std::vector<std::string> messages;
  int busyDepth = 0;
  int busyCount = 0;
  MsgResult answer = MsgResult::Yes;
  // Runs while a box is "open", as a modal loop would run timers.
  std::function<void()> duringBox;
};

}  // namespace cct::test
