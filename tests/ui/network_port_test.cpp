// The program's own window on a camera across the network: COM1 of the port
// map names a port of ser2net, which serves the simulated camera's pty.
#include <QComboBox>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/composition_root.h"
#include "res/templates/page_ids.h"
#include "res/templates/resource_ids.h"
#include "serial/port_map.h"
#include "support/network_camera.h"
#include "ui/kit/event_pump.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/program_window.h"
#include "ui/service/communication_dialog.h"
#include "ui_fixture.h"

namespace cct {
namespace {

using Lines = std::vector<std::string>;

class NetworkPortWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { SKIP_WITHOUT_SER2NET(); }
  // The camera at `rate` behind the server, then the window, whose start-up
  // connects to it.
  void Start(int rate) {
    std::string error;
    ASSERT_TRUE(network.Start(rate, &error)) << error;
    camera = &network.Camera();
    server = &network.Server();
    std::filesystem::create_directories(PortMapFolder());
    std::filesystem::create_symlink(server->Url(), PortMapFolder() + "/COM1");
    root = std::make_unique<CompositionRoot>(ui);
    window = MakeProgramWindow(ui);
    ASSERT_TRUE(window->Create());  // the start-up connection and full read
  }
  void TearDown() override {
    window.reset();
    root.reset();
  }

  bool Online() { return ui.GetIndicator().IsOnline(); }
  QComboBox* CommList(int id) { return window->Communication().Item<QComboBox>(id); }
  void Pick(QComboBox* list, int position) {
    list->setCurrentIndex(position);
    emit list->activated(position);
  }

  test::UiTempConfig config;  // first: the port map and settings live in it
  test::ScriptedPrompter prompter;
  Timing uiTiming = test::ShortTiming();
  UiHost ui{uiTiming, &prompter};
  test::NetworkCamera network;
  sim::PtyCamera* camera = nullptr;
  test::Ser2NetServer* server = nullptr;
  std::unique_ptr<CompositionRoot> root;
  std::unique_ptr<CCtrlToolDlg> window;
};

TEST_F(NetworkPortWindowTest, StartUpSearchesTheRateOverTheNetworkReadsAllAndSendsAChange) {
  Start(38400);
  // 9600, 115200 and 57600 reached the camera's pty as bytes at a wrong
  // speed; at 38400 it heard the probe and the whole read.
  EXPECT_GT(camera->DiscardedBytes(), 0u);
  const Lines heard = camera->ReceivedLines();
  ASSERT_GE(heard.size(), 4u);
  EXPECT_EQ(Lines(heard.begin(), heard.begin() + 3), (Lines{"MD?", "MD?", "CBDRT?"}));
  EXPECT_EQ(heard.back(), "MF?");
  EXPECT_EQ(CommList(kIdcCommBaudRate)->currentText(), "38400bps");
  EXPECT_EQ(CommList(kIdcCommPortName)->itemData(0, Qt::ToolTipRole).toString().toStdString(),
            server->Url());
  EXPECT_TRUE(Online());
  EXPECT_TRUE(prompter.boxes.empty());

  // "User Area" of the pixel gain correction carries the value 2.
  auto* list = qobject_cast<QComboBox*>(window->FindControl(kIdcPixelGainMode));
  ASSERT_NE(list, nullptr);
  Pick(list, 1);
  EXPECT_EQ(camera->ReceivedLines().back(), "PGC=2");
  std::string value;
  camera->WithEngine([&](sim::CameraEngine& engine) { engine.GetValue("PGC", value); });
  EXPECT_EQ(value, "2");
}

TEST_F(NetworkPortWindowTest, AServerGoneWhileIdleIsAnUnpluggedPortUntilAReopenConnects) {
  Start(9600);
  const int port = server->Port();
  server->Kill();
  HoldFor(200);  // idle: the polling timer runs on
  auto* list = qobject_cast<QComboBox*>(window->FindControl(kIdcPixelGainMode));
  ASSERT_NE(list, nullptr);
  QElapsedTimer took;
  took.start();
  Pick(list, 1);  // the change finds no camera: its answer times out
  EXPECT_LT(took.elapsed(), 8000);
  EXPECT_FALSE(Online());

  // The server back on its port: choosing the rate again reopens the line.
  std::string error;
  ASSERT_TRUE(server->Start(&error, port)) << error;
  Pick(CommList(kIdcCommBaudRate), 0);
  EXPECT_TRUE(Online());
  EXPECT_EQ(camera->ReceivedLines().back(), "MF?");  // read anew
}

}  // namespace
}  // namespace cct
