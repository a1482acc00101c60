#include "serial/port_map.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "serial/network_address.h"
#include "support/temp_config.h"

namespace cct {
namespace {

TEST(NetworkAddress, TakesNamesIpv4AndBracketedIpv6WithAPortAndNothingElse) {
  struct Case {
    const char* url;
    bool valid;
    const char* host;
    int port;
  };
  const Case cases[] = {
      {"rfc2217://linepc3:4001", true, "linepc3", 4001},
      {"RFC2217://10.0.0.7:2217", true, "10.0.0.7", 2217},
      {"rfc2217://[::1]:4001", true, "::1", 4001},
      {"rfc2217://[fe80::1%eth0]:65535", true, "fe80::1%eth0", 65535},
      {"rfc2217://linepc3", false, "", 0},
      {"rfc2217://:4001", false, "", 0},
      {"rfc2217://linepc3:0", false, "", 0},
      {"rfc2217://linepc3:65536", false, "", 0},
      {"rfc2217://linepc3:40x1", false, "", 0},
      {"rfc2217://linepc3:4001/", false, "", 0},
      {"rfc2217://::1:4001", false, "", 0},
      {"rfc2217://[::1:4001", false, "", 0},
      {"rfc2217://[linepc3]:4001", false, "", 0},
      {"rfc2217://line pc3:4001", false, "", 0},
      {"telnet://linepc3:4001", false, "", 0},
  };
  for (const Case& c : cases) {
    NetworkAddress address;
    EXPECT_EQ(ParseRfc2217Url(c.url, address), c.valid) << c.url;
    EXPECT_EQ(address.host, c.host) << c.url;
    EXPECT_EQ(address.port, c.port) << c.url;
  }
}

TEST(PortMap, AnEntryNamesANetworkPortByItsLinkTargetOrItsFirstLineOnly) {
  test::TempConfig config;
  const std::string folder = config.PortsFolder();
  std::filesystem::create_directories(folder);
  auto file = [&](const char* name, const std::string& text) {
    std::ofstream(folder + "/" + name, std::ios::binary) << text;
  };
  std::filesystem::create_symlink("rfc2217://linepc3:4001", folder + "/COM1");
  file("COM2", "rfc2217://127.0.0.1:4002\r\n# the line's second server\r\n");
  file("COM3", "  rfc2217://[::1]:4003 \t\n");
  file("COM4", "/dev/ttyUSB0\n");
  std::filesystem::create_symlink("/dev/null", folder + "/COM5");
  file("COM6", "rfc2217://linepc3:4006\n" + std::string(5000, '#'));
  ASSERT_EQ(::mkfifo((folder + "/COM7").c_str(), 0600), 0);  // would block a plain read

  struct Case {
    const char* port;
    std::string resolved;
  };
  const Case cases[] = {
      {"COM1", "rfc2217://linepc3:4001"}, {"COM2", "rfc2217://127.0.0.1:4002"},
      {"COM3", "rfc2217://[::1]:4003"},   {"COM4", folder + "/COM4"},
      {"COM5", folder + "/COM5"},         {"COM6", folder + "/COM6"},
      {"COM7", folder + "/COM7"},         {"rfc2217://linepc9:4001", "rfc2217://linepc9:4001"},
  };
  for (const Case& c : cases) {
    const std::string resolved = ResolvePortName(c.port);
    EXPECT_EQ(resolved, c.resolved) << c.port;
    EXPECT_EQ(IsNetworkPort(resolved), c.resolved.rfind("rfc2217://", 0) == 0) << c.port;
  }
}

}  // namespace
}  // namespace cct
