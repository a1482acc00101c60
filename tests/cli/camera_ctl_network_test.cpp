// camera-ctl on a camera across the network: ser2net serves a simulated
// camera at 38400 bit/s, and the script names the server's port.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "serial/port_map.h"
#include "support/network_camera.h"
#include "support/temp_config.h"

namespace cct {
namespace {

struct CtlResult {
  int status = -1;
  std::string out;
};

class CameraCtlNetworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_WITHOUT_SER2NET();
    std::string error;
    ASSERT_TRUE(network.Start(38400, &error, false)) << error;
  }

  // camera-ctl with `arguments` (no quotes in them); standard error stays the test's.
  CtlResult Ctl(const std::string& arguments) {
    CtlResult run;
    FILE* pipe = ::popen((std::string(CCT_CTL_BINARY) + " " + arguments).c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  test::TempConfig config;
  test::NetworkCamera network;
};

TEST_F(CameraCtlNetworkTest, GetFindsTheRateDumpAndLutWriteGoThroughTheServer) {
  CtlResult run = Ctl("--device " + network.Url() + " get GA CBDRT");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "GA=100\nCBDRT=4\n");  // 4: the camera's code for 38400

  // Through the port map, as the window's COM1.
  std::filesystem::create_directories(PortMapFolder());
  std::filesystem::create_symlink(network.Url(), PortMapFolder() + "/COM1");
  run = Ctl("--port COM1 ports");
  EXPECT_NE(run.out.find("COM1\t" + network.Url() + "\n"), std::string::npos) << run.out;
  run = Ctl("--port COM1 --baud 38400 dump");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\r\nGA=100\r\n"), std::string::npos) << run.out;

  const std::string csv = config.Path() + "/ramp.csv";
  std::ofstream file(csv, std::ios::binary);
  file << "GammaData\r\n";
  for (int k = 0; k < 256; ++k) file << 4095 - 16 * k << "\r\n";
  file.close();
  run = Ctl("--port COM1 --baud 38400 lut write " + csv);
  EXPECT_EQ(run.status, 0);
  network.Camera().WithEngine([](sim::CameraEngine& engine) {
    for (const int k : {0, 128, 255}) {
      std::string level;
      engine.SetValue("LUTI", std::to_string(k));
      engine.GetValue("LUTD", level);
      EXPECT_EQ(level, std::to_string(4095 - 16 * k)) << k;
    }
  });
}

}  // namespace
}  // namespace cct
