// The program's own window on a camera across the network: COM1 of the port
// map names a port of ser2net, which serves the simulated camera's pty.
#include <QComboBox>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/composition_root.h"
#include "res/templates/page_ids.h"
#include "res/templates/resource_ids.h"
#include "serial/port_map.h"
#include "support/ser2net_server.h"
#include "ui/kit/event_pump.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/program_window.h"
#include "ui/service/communication_dialog.h"
#include "ui_fixture.h"

namespace cct {
namespace {

void Pick(QComboBox* list, int position) {
  ASSERT_NE(list, nullptr);
  list->setCurrentIndex(position);
  emit list->activated(position);
}

TEST(NetworkPortWindow, ChangesGoOverTheNetworkAServerGoneIsAnUnpluggedPortAReopenConnects) {
  SKIP_WITHOUT_SER2NET();
  test::UiTempConfig config;
  test::ScriptedPrompter prompter;
  Timing timing = test::ShortTiming();
  UiHost ui{timing, &prompter};
  test::NetworkCamera network;
  std::string error;
  ASSERT_TRUE(network.Start(9600, &error)) << error;
  std::filesystem::create_directories(PortMapFolder());
  std::filesystem::create_symlink(network.server->Url(), PortMapFolder() + "/COM1");
  CompositionRoot root(ui);
  std::unique_ptr<CCtrlToolDlg> window = MakeProgramWindow(ui);
  ASSERT_TRUE(window->Create());  // the start-up connection and full read
  EXPECT_EQ(network.camera->ReceivedLines().back(), "MF?");
  auto* ports = window->Communication().Item<QComboBox>(kIdcCommPortName);
  EXPECT_EQ(ports->itemData(0, Qt::ToolTipRole).toString().toStdString(), network.server->Url());

  // "User Area" of the pixel gain correction carries the value 2.
  auto* pixelGain = qobject_cast<QComboBox*>(window->FindControl(kIdcPixelGainMode));
  Pick(pixelGain, 1);
  EXPECT_EQ(network.camera->ReceivedLines().back(), "PGC=2");
  EXPECT_TRUE(ui.GetIndicator().IsOnline());

  const int port = network.server->Port();
  network.server->Stop(SIGKILL);
  HoldFor(200);  // idle: the polling timer runs on
  QElapsedTimer took;
  took.start();
  Pick(pixelGain, 0);  // no camera: the answer times out
  EXPECT_LT(took.elapsed(), 8000);
  EXPECT_FALSE(ui.GetIndicator().IsOnline());

  // The server back on its port: choosing the rate again reopens the line.
  ASSERT_TRUE(network.server->Start(&error, port)) << error;
  Pick(window->Communication().Item<QComboBox>(kIdcCommBaudRate), 0);
  EXPECT_TRUE(ui.GetIndicator().IsOnline());
  EXPECT_EQ(network.camera->ReceivedLines().back(), "MF?");  // read anew
}

}  // namespace
}  // namespace cct
