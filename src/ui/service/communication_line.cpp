// The Communication dialog's choice of line: category, port and baud rate,
// and the automatic port search.
#include <QComboBox>

#include "res/templates/resource_ids.h"
#include "serial/camera_link_api.h"
#include "serial/port_map.h"
#include "serial/serial_channel.h"
#include "ui/kit/quiet_setters.h"
#include "ui/service/communication_dialog.h"

namespace cct {

void CCommunicationDialog::FillPortList() {
  auto* list = Item<QComboBox>(kIdcCommPortName);
  if (!list) return;
  CSerialChannel& serial = context_.serial;
  const bool comPort = serial.GetMode() == kModeComPort;
  list->clear();
  // Counting the ports lists them in the Camera Link modes.
  const int count = serial.GetPortCount();
  for (int i = 0; i < count; ++i) {
    // Libraries have been seen to leave bytes that are no text in a name.
    const std::string name = PrintableText(serial.GetPortName(i));
    list->addItem(QString::fromLatin1(name));
    if (comPort) {
      // Which device the name opens on this machine, for the operator.
      const std::string device = ResolvePortName(name);
      list->setItemData(i, QString::fromStdString(device.empty() ? "no device" : device),
                        Qt::ToolTipRole);
    }
  }
  // With no port at all (the mode's library is missing) there is nothing to
  // open, and the stored index stays for a machine that has the library.
  if (count == 0) return;
  int index = serial.GetPortIndex();
  if (index < 0 || index >= count) {
    serial.ReopenWithPort(0);
    index = 0;
  }
  SelectQuietly(list, index);
}

void CCommunicationDialog::OnCategoryChange() {
  const auto* list = Item<QComboBox>(kIdcCommCategory);
  if (!list || list->currentIndex() < 0) return;
  // Refills the port list on the way.
  selection_.LineChanged(LineSetting::kMode, list->currentIndex());
}

void CCommunicationDialog::OnPortChange() {
  const auto* list = Item<QComboBox>(kIdcCommPortName);
  if (!list || list->currentIndex() < 0) return;
  selection_.LineChanged(LineSetting::kPortIndex, list->currentIndex());
}

void CCommunicationDialog::OnBaudRateChange() {
  const auto* list = Item<QComboBox>(kIdcCommBaudRate);
  if (!list || list->currentIndex() < 0) return;
  selection_.LineChanged(LineSetting::kBaudIndex, list->currentIndex());
}

void CCommunicationDialog::OnAuto() {
  selection_.AutomaticPortSearch();
}

}  // namespace cct
