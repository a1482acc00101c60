// camera-ctl on a camera across the network: ser2net serves a simulated
// camera at 38400 bit/s, and the script names the server's port.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "serial/port_map.h"
#include "support/ser2net_server.h"
#include "support/temp_config.h"

namespace cct {
namespace {

// camera-ctl's standard output for `arguments` (no quotes in them), and
// whether it ended with status 0.
std::pair<bool, std::string> Ctl(const std::string& arguments) {
  std::string out;
  FILE* pipe = ::popen((std::string(CCT_CTL_BINARY) + " " + arguments).c_str(), "r");
  if (pipe == nullptr) return {false, out};
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  return {::pclose(pipe) == 0, out};
}

TEST(CameraCtlNetwork, GetFindsTheRateDumpAndLutWriteGoThroughTheServer) {
  SKIP_WITHOUT_SER2NET();
  test::TempConfig config;
  test::NetworkCamera network;
  std::string error;
  ASSERT_TRUE(network.Start(38400, &error, false)) << error;
  const std::string url = network.server->Url();
  EXPECT_EQ(Ctl("--device " + url + " get GA CBDRT"),
            std::make_pair(true, std::string("GA=100\nCBDRT=4\n")));  // 4: 38400

  // Through the port map, as the window's COM1.
  std::filesystem::create_directories(PortMapFolder());
  std::filesystem::create_symlink(url, PortMapFolder() + "/COM1");
  EXPECT_NE(Ctl("ports").second.find("COM1\t" + url + "\n"), std::string::npos);
  const auto [dumped, dump] = Ctl("--port COM1 --baud 38400 dump");
  EXPECT_TRUE(dumped);
  EXPECT_NE(dump.find("\r\nGA=100\r\n"), std::string::npos) << dump;

  const std::string csv = config.Path() + "/ramp.csv";
  std::ofstream(csv, std::ios::binary) << "GammaData\r\n";
  for (int k = 0; k < 256; ++k) std::ofstream(csv, std::ios::app) << 4095 - 16 * k << "\r\n";
  EXPECT_TRUE(Ctl("--port COM1 --baud 38400 lut write " + csv).first);
  network.camera->WithEngine([](sim::CameraEngine& engine) {
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
