#pragma once

#include <ostream>

#include "protocol/host.h"

namespace cct {

// What the exchanges would show in boxes goes to standard error, one message
// after the other, in the window's words; questions take their first answer.
// With `verbose` every line sent and received is shown too ("Tx: ", "Rx: ").
// Control characters in any of it are shown escaped (terminal_text.h).
class ConsoleHost : public Host {
 public:
  ConsoleHost(std::ostream& err, bool verbose) : err_(err), verbose_(verbose) {}

  MsgResult MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgButtons buttons) override;
  void BeginBusy() override {}
  void EndBusy() override {}
  void SetOnline(bool) override {}
  void LogTerminal(const std::string& line) override;
  void LogMessage(const std::string&) override {}

  // Prints a message of camera-ctl's own the same way.
  void Say(const std::string& text);

 private:
  std::ostream& err_;
  bool verbose_;
};

}  // namespace cct
