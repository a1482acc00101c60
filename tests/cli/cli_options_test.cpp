#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/json_text.h"
#include "serial/serial_channel.h"

namespace cct {
namespace {

bool Parse(const std::vector<std::string>& arguments, CliOptions& options, std::string& error) {
  return ParseCliOptions(arguments, options, error);
}

TEST(CliOptionsTest, TakesTheLineAndTheCommand) {
  CliOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"--port", "COM2", "--baud", "38400", "--json", "get", "GA", "BL"}, o, error))
      << error;
  EXPECT_EQ(o.mode, kModeComPort);  // a COM port name picks the COM mode
  EXPECT_EQ(o.port, "COM2");
  EXPECT_EQ(o.baudRate, 38400);
  EXPECT_TRUE(o.json);
  EXPECT_EQ(o.command, "get");
  EXPECT_EQ(o.args, (std::vector<std::string>{"GA", "BL"}));

  // Defaults: the stored line, the automatic baud search.
  ASSERT_TRUE(Parse({"dump"}, o, error));
  EXPECT_EQ(o.mode, -1);
  EXPECT_EQ(o.baudRate, 0);
  EXPECT_FALSE(o.factory);

  ASSERT_TRUE(Parse({"--device", "/dev/ttyUSB3", "--factory", "apply", "a.cam"}, o, error));
  EXPECT_EQ(o.mode, kModeComPort);
  EXPECT_EQ(o.device, "/dev/ttyUSB3");
  EXPECT_TRUE(o.factory);
  ASSERT_TRUE(Parse({"--device", "rfc2217://[::1]:4001", "dump"}, o, error));
  EXPECT_EQ(o.mode, kModeComPort);
  EXPECT_EQ(o.device, "rfc2217://[::1]:4001");

  ASSERT_TRUE(Parse({"--mode", "cl2001", "--port", "2", "lut", "write", "t.csv"}, o, error));
  EXPECT_EQ(o.mode, kModeCameraLink2001);
  int index = -1;
  ASSERT_TRUE(PortIndexFor(o.port, o.mode, index, error));
  EXPECT_EQ(index, 2);

  // Help and version need no command.
  ASSERT_TRUE(Parse({"--version"}, o, error));
  EXPECT_TRUE(o.version);
}

TEST(CliOptionsTest, RefusesWhatCannotBeMeant) {
  const std::vector<std::vector<std::string>> refused = {
      {},                                                     // no command
      {"fetch"},                                              // unknown command
      {"--colour", "get", "GA"},                              // unknown option
      {"get"},                                                // nothing to get
      {"apply"},                                              // no file
      {"apply", "a.cam", "b.cam"},                            // two files
      {"area", "erase", "1"},                                 // neither load nor store
      {"area", "store"},                                      // no area
      {"lut", "write"},                                       // no file
      {"lut", "read", "x.csv"},                               // read takes none
      {"--baud", "12345", "get", "GA"},                       // no rate of the camera
      {"--baud", "9600x", "get", "GA"},                       //
      {"--mode", "usb", "get", "GA"},                         // no such mode
      {"--port", "COM0", "get", "GA"},                        // COM ports count from 1
      {"--port", "COM17", "get", "GA"},                       // and end at 16
      {"--port", "256", "get", "GA"},                         // no list holds so many
      {"--device", "ttyUSB0", "get", "GA"},                   // not a path
      {"--device", "rfc2217://linepc3", "get", "GA"},         // a server's port without its number
      {"--mode", "cl11", "--device", "/dev/x", "get", "GA"},  // device is for COM only
      {"--wait", "-1", "raw", "GA?"},                         //
      {"get", "GA", "--baud"},                                // option without its value
  };
  for (const auto& arguments : refused) {
    CliOptions o;
    std::string error;
    std::string line;
    for (const auto& a : arguments) line += a + " ";
    EXPECT_FALSE(Parse(arguments, o, error)) << line;
    EXPECT_FALSE(error.empty()) << line;
  }
}

TEST(CliOptionsTest, PortNamesBelongToTheirMode) {
  int index = 7;
  std::string error;
  ASSERT_TRUE(PortIndexFor("COM16", kModeComPort, index, error));
  EXPECT_EQ(index, 15);
  EXPECT_FALSE(PortIndexFor("3", kModeComPort, index, error));
  EXPECT_FALSE(PortIndexFor("COM3", kModeCameraLink11, index, error));
  EXPECT_EQ(index, 15);  // untouched by a refusal
  ASSERT_TRUE(PortIndexFor("", kModeCameraLink11, index, error));
  EXPECT_EQ(index, 15);  // nothing named: the stored index stays
}

TEST(JsonTextTest, AnyCameraBytesMakeAValidString) {
  EXPECT_EQ(JsonString("QX-2040L-RTN"), "\"QX-2040L-RTN\"");
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString(std::string("\r\n\0\x7f", 4)), "\"\\u000d\\u000a\\u0000\\u007f\"");
  // A byte above 127 is the character of that code, never a broken UTF-8 sequence.
  EXPECT_EQ(JsonString("\xe9"), "\"\\u00e9\"");
}

}  // namespace
}  // namespace cct
