#include "ui/service/terminal_dialog.h"

#include <QEvent>
#include <QLineEdit>

#include "res/templates/resource_ids.h"
#include "serial/serial_channel.h"
#include "ui/kit/log_list_view.h"
#include "ui/kit/one_line_validator.h"
#include "ui/main/ui_host.h"

namespace cct {

CTerminalDialog::CTerminalDialog(const UiContext& context)
    : CStatusDialog(kIddTerminal, kIdcTerminalStatus, context.ui), context_(context) {
  SetTimeSource({});
  // The list keeps every line from the start, also while its window is hidden.
  // Latin-1 maps each byte to one character and back, so a saved list gives
  // the line's bytes as they were.
  context_.ui.SetTerminalSink(
      [this](const std::string& line) { AddLine(QString::fromLatin1(line)); });
}

CTerminalDialog::~CTerminalDialog() {
  context_.ui.SetTerminalSink({});
}

bool CTerminalDialog::OnInitDialog() {
  if (!CStatusDialog::OnInitDialog()) return false;
  if (auto* list = Item<LogListView>(kIdcTermList)) list->SetModel(&lines_);
  // One Send is one line on the wire, whatever was pasted into the field.
  if (auto* field = Item<QLineEdit>(kIdcTermCommand))
    field->setValidator(new OneLineValidator(field));
  // Any smaller and the list's or the field's rectangle would turn over.
  Client()->setMinimumSize(Client()->minimumSize().expandedTo(kMinClientSize));
  // The controls follow the client area, whatever resizes it.
  Client()->installEventFilter(this);
  return true;
}

void CTerminalDialog::OnControlEvent(ControlEvent& event) {
  if (event.code != ControlEventCode::Clicked) return;
  switch (event.ctrlId) {
    case kIdcTermSend:
      Send();
      break;
    case kIdcTermClear:
      lines_.Clear();
      break;
    case kIdcTermSave:
      SaveTerminal();
      break;
    case kIdcTermClose:
      hide();
      break;
    default:
      break;
  }
}

void CTerminalDialog::Send() {
  const auto* field = Item<QLineEdit>(kIdcTermCommand);
  const QString text = field ? field->text() : QString();
  // Beside the command exchange and without waiting: whatever the camera
  // answers is read and listed by the command layer's polling.
  context_.serial.Write(text.toLatin1().toStdString() + "\r\n");
}

QRect CTerminalDialog::ControlRect(int ctrlId, const QSize& client) {
  const int w = client.width();
  const int h = client.height();
  // Left, top, right, bottom, as the window's layout gives them.
  const auto edges = [](int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
  };
  switch (ctrlId) {
    case kIdcTermCommand:
      return edges(10, 10, w - 80, 30);
    case kIdcTermList:
      return edges(10, 42, w - 80, h - 20);
    case kIdcTermClose:
      return edges(w - 70, 10, w - 10, 30);
    case kIdcTermSend:
      return edges(w - 70, 34, w - 10, 54);
    case kIdcTermClear:
      return edges(w - 70, 58, w - 10, 78);
    case kIdcTermSave:
      return edges(w - 70, 82, w - 10, 102);
    case kIdcTerminalStatus:
      return edges(4, h - 12, w - 4, h - 4);
    default:
      return {};
  }
}

void CTerminalDialog::PlaceControls() {
  const QSize client = Client()->size();
  for (int id : {kIdcTermCommand, kIdcTermList, kIdcTermClose, kIdcTermSend, kIdcTermClear,
                 kIdcTermSave, kIdcTerminalStatus}) {
    if (QWidget* control = GetDlgItem(id)) control->setGeometry(ControlRect(id, client));
  }
}

bool CTerminalDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Client() && event->type() == QEvent::Resize) PlaceControls();
  return CStatusDialog::eventFilter(watched, event);
}

}  // namespace cct
