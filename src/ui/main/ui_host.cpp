#include "ui/main/ui_host.h"

#include <QApplication>

#include "ui/kit/busy_cursor.h"
#include "ui/kit/qt_prompter.h"

namespace cct {

UiHost::UiHost(const Timing& timing, Prompter* prompter)
    : ownPrompter_(prompter ? nullptr : std::make_unique<QtPrompter>()),
      prompter_(prompter ? prompter : ownPrompter_.get()),
      progress_(timing) {}

UiHost::~UiHost() {
  // A busy span left open must not leave the wait cursor behind.
  while (busyDepth_ > 0) EndBusy();
}

MsgResult UiHost::MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                             MsgButtons buttons) {
  QWidget* owner = QApplication::activeModalWidget();
  if (!owner) owner = QApplication::activeWindow();
  return prompter_->MessageBox(owner, QString::fromStdString(text), QString::fromStdString(caption),
                               icon, buttons);
}

void UiHost::BeginBusy() {
  BusyCursor::Begin();
  ++busyDepth_;
}

void UiHost::EndBusy() {
  if (busyDepth_ == 0) return;
  --busyDepth_;
  BusyCursor::End();
}

void UiHost::SetOnline(bool online) {
  indicator_.Set(online);
}

void UiHost::LogTerminal(const std::string& line) {
  if (terminalSink_) terminalSink_(line);
}

void UiHost::LogMessage(const std::string& line) {
  if (messageSink_) messageSink_(line);
}

}  // namespace cct
