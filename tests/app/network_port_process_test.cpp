// The program itself on a camera across the network: COM1 of its port map
// links to a port of ser2net, which serves a simulated camera at 38400 bit/s.
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "serial/port_map.h"
#include "settings_sandbox.h"
#include "support/ser2net_server.h"

namespace cct {
namespace {

TEST(NetworkPortProcess, FindsTheCameraAt38400ReadsAllAndEndsNormallyAfterTheServerWent) {
  SKIP_WITHOUT_SER2NET();
  test::SettingsSandbox config;
  config.Store("Previous Application Shutdown Status", 1);
  test::NetworkCamera network;
  std::string error;
  ASSERT_TRUE(network.Start(38400, &error)) << error;
  std::filesystem::create_directories(PortMapFolder());
  std::filesystem::create_symlink(network.server->Url(), PortMapFolder() + "/COM1");

  QProcess program;  // XDG_CONFIG_HOME: the sandbox's
  program.setProcessChannelMode(QProcess::ForwardedChannels);
  program.start(CCT_APP_BINARY, {});
  ASSERT_TRUE(program.waitForStarted(10000));
  // The search from 115200 down, then the full read, whose last query is MF?.
  QElapsedTimer waited;
  waited.start();
  const sim::PtyCamera& camera = *network.camera;
  while (camera.ReceivedLines().empty() || camera.ReceivedLines().back() != "MF?") {
    ASSERT_EQ(program.state(), QProcess::Running);
    ASSERT_LT(waited.elapsed(), 30000) << "no full read at 38400";
    QThread::msleep(20);
  }
  EXPECT_GT(camera.DiscardedBytes(), 0u);  // the other rates reached the pty too
  EXPECT_EQ(camera.ReceivedLines().front(), "MD?");

  network.server->Stop();
  QThread::msleep(1000);
  ASSERT_EQ(program.state(), QProcess::Running);
  QElapsedTimer took;
  took.start();
  ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), SIGTERM), 0);
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_LT(took.elapsed(), 6000);
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(config.Stored("Previous Application Shutdown Status").toInt(), 1);
}

}  // namespace
}  // namespace cct
