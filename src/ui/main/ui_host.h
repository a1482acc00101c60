#pragma once

#include <functional>
#include <memory>
#include <string>

#include "protocol/host.h"
#include "protocol/timing.h"
#include "ui/kit/prompter.h"
#include "ui/main/dialog_registry.h"
#include "ui/main/online_status.h"
#include "ui/main/progress_bar_dialog.h"

namespace cct {

// The window layer's single objects — prompter, online-status indicator,
// dialog registry, progress window — and the host the protocol and serial
// layers call: boxes through the prompter, the busy cursor, the online state
// to the indicator, and the two logs to whichever windows take them.
class UiHost : public Host {
 public:
  using LogSink = std::function<void(const std::string&)>;

  // Without a prompter the Qt one is used.
  explicit UiHost(const Timing& timing = ProgramTiming(), Prompter* prompter = nullptr);
  ~UiHost() override;
  UiHost(const UiHost&) = delete;
  UiHost& operator=(const UiHost&) = delete;

  MsgResult MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgButtons buttons = MsgButtons::Ok) override;
  void BeginBusy() override;
  void EndBusy() override;
  void SetOnline(bool online) override;
  void LogTerminal(const std::string& line) override;
  void LogMessage(const std::string& line) override;

  Prompter& GetPrompter() { return *prompter_; }
  OnlineStatusIndicator& GetIndicator() { return indicator_; }
  DialogRegistry& GetRegistry() { return registry_; }
  CProgressBarDialog& GetProgressBar() { return progress_; }

  // The Terminal and the Communication dialog take their log while their
  // windows exist; an empty sink drops the lines.
  void SetTerminalSink(LogSink sink) { terminalSink_ = std::move(sink); }
  void SetMessageSink(LogSink sink) { messageSink_ = std::move(sink); }

 private:
  std::unique_ptr<Prompter> ownPrompter_;
  Prompter* prompter_;
  OnlineStatusIndicator indicator_;
  DialogRegistry registry_;
  CProgressBarDialog progress_;
  LogSink terminalSink_;
  LogSink messageSink_;
  int busyDepth_ = 0;
};

}  // namespace cct
