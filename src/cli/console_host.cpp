#include "cli/console_host.h"

#include "cli/terminal_text.h"

namespace cct {

MsgResult ConsoleHost::MessageBox(const std::string& text, const std::string&, MsgIcon,
                                  MsgButtons buttons) {
  Say(text);
  return buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
}

void ConsoleHost::LogTerminal(const std::string& line) {
  if (verbose_) err_ << TerminalText(line) << '\n' << std::flush;
}

void ConsoleHost::Say(const std::string& text) {
  // A message of several lines stays one message: each line is prefixed.
  // Camera answers and names within it are shown escaped.
  size_t start = 0;
  for (;;) {
    const size_t end = text.find('\n', start);
    err_ << "camera-ctl: " << TerminalText(text.substr(start, end - start)) << '\n';
    if (end == std::string::npos) break;
    start = end + 1;
  }
  err_ << std::flush;
}

}  // namespace cct
