#include "serial/port_map.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "serial/network_address.h"
#include "support/temp_config.h"

namespace cct {
namespace {

TEST(NetworkAddress, TakesNamesIpv4AndBracketedIpv6WithAPortAndNothingElse) {
  const std::pair<const char*, const char*> valid[] = {
      {"rfc2217://linepc3:4001", "linepc3"},
      {"RFC2217://10.0.0.7:2217", "10.0.0.7"},
      {"rfc2217://[fe80::1%eth0]:65535", "fe80::1%eth0"},
  };
  for (const auto& [url, host] : valid) {
    NetworkAddress address;
    EXPECT_TRUE(ParseRfc2217Url(url, address)) << url;
    EXPECT_EQ(address.host, host);
  }
  for (const char* url :
       {"rfc2217://linepc3", "rfc2217://:4001", "rfc2217://linepc3:0", "rfc2217://linepc3:65536",
        "rfc2217://linepc3:4001/", "rfc2217://::1:4001", "rfc2217://[linepc3]:4001",
        "rfc2217://line pc3:4001", "telnet://linepc3:4001"}) {
    NetworkAddress address;
    EXPECT_FALSE(ParseRfc2217Url(url, address)) << url;
  }
}

TEST(PortMap, AnEntryNamesANetworkPortByItsLinkTargetOrItsFirstLineOnly) {
  test::TempConfig config;
  const std::string folder = config.PortsFolder() + "/";
  std::filesystem::create_directories(folder);
  std::filesystem::create_symlink("rfc2217://linepc3:4001", folder + "COM1");
  std::ofstream(folder + "COM2") << "  rfc2217://[::1]:4002 \r\n# the line's second server\r\n";
  std::ofstream(folder + "COM3") << "/dev/ttyUSB0\n";
  std::ofstream(folder + "COM4") << "rfc2217://linepc3:4004\n" << std::string(5000, '#');
  ASSERT_EQ(::mkfifo((folder + "COM5").c_str(), 0600), 0);  // a plain read would block
  const std::pair<const char*, std::string> cases[] = {
      {"COM1", "rfc2217://linepc3:4001"}, {"COM2", "rfc2217://[::1]:4002"},
      {"COM3", folder + "COM3"},          {"COM4", folder + "COM4"},
      {"COM5", folder + "COM5"},          {"rfc2217://linepc9:4001", "rfc2217://linepc9:4001"},
  };
  for (const auto& [port, resolved] : cases) {
    EXPECT_EQ(ResolvePortName(port), resolved) << port;
    EXPECT_EQ(IsNetworkPort(resolved), resolved[0] == 'r') << port;
  }
}

}  // namespace
}  // namespace cct
