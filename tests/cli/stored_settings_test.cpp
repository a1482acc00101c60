#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/stored_settings.h"
#include "serial/serial_channel.h"
#include "support/temp_config.h"

namespace cct {
namespace {

StoredSettings FromText(const std::string& text) {
  StoredSettings settings;
  std::istringstream in(text);
  settings.Read(in);
  return settings;
}

int Number(StoredSettings& settings, int index, int defaultValue = -9) {
  int value = 0;
  settings.GetNumber(index, value, defaultValue);
  return value;
}

TEST(StoredSettingsTest, ReadsTheWindowsFileAsItIsWritten) {
  StoredSettings s = FromText(
      "[General]\n"
      "Baudrate=38400\r\n"  // a file edited on another system
      "Com%20Port%20No=2\n"
      "Communication%20Mode=\" 1 \"\n"  // quoted text holding a number
      "Camera%20File%20Path=\"/tmp/a \\\"b\\\"\"\n"
      "Control%20Mode=+1\n"
      "Previous%20Application%20Shutdown%20Status=1\n");
  EXPECT_EQ(Number(s, kPrefBaudrate), 38400);
  EXPECT_EQ(Number(s, kPrefComPortNo), 2);
  EXPECT_EQ(Number(s, kPrefCommunicationMode), 1);
  EXPECT_EQ(Number(s, kPrefControlMode), 1);
  EXPECT_TRUE(s.PreviousRunEndedNormally());
  std::string path;
  ASSERT_TRUE(s.Value("Camera File Path", path));
  EXPECT_EQ(path, "/tmp/a \"b\"");
}

TEST(StoredSettingsTest, AnythingButAPlainNumberReadsAsTheDefault) {
  StoredSettings s = FromText(
      "Com%20Port%20No=5\n"  // before any section: not the window's
      "[Other]\nBaudrate=19200\n"
      "[General]\n"
      "Communication%20Mode=1,2\n"  // a list
      "Cameralink%202000%20Dll%20Index=abc\n"
      "Cameralink%202001%20Dll%20Index=99999999999\n"  // beyond 32 bits
      "Cameralink%20Ver11%20Dll%20Index=@Variant(\\0\\0\\0\\x7f)\n"
      "Control%20Mode=\"1\n"  // unterminated quote
      "garbage without equals\n"
      "=7\n");
  for (int index : std::initializer_list<int>{kPrefComPortNo, kPrefBaudrate, kPrefCommunicationMode,
                                              kPrefCameraLink2000Index, kPrefCameraLink2001Index,
                                              kPrefCameraLink11Index, kPrefControlMode, 42, -1}) {
    int value = 0;
    EXPECT_FALSE(s.GetNumber(index, value, -9)) << index;
    EXPECT_EQ(value, -9) << index;
  }
  EXPECT_FALSE(s.PreviousRunEndedNormally());
}

TEST(StoredSettingsTest, TheLineTakesTheStoredValuesAndWritesNothingBack) {
  test::TempConfig config;
  const std::string path = StoredSettingsPath();
  ASSERT_EQ(path, config.Path() + "/Ovreth/QX-2040-RTN Control Tool.conf");
  std::filesystem::create_directories(config.Path() + "/Ovreth");
  const std::string text =
      "[General]\nCommunication%20Mode=3\nCom%20Port%20No=4\n"
      "Cameralink%20Ver11%20Dll%20Index=2147483647\n";
  std::ofstream(path) << text;
  {
    StoredSettings stored(path);
    NullHost host;
    CSerialChannel line(host, stored, SystemClock());
    EXPECT_EQ(line.GetMode(), kModeCameraLink11);
    EXPECT_EQ(line.GetPortIndex(), 0);  // out of range: the default
    line.SetMode(kModeComPort);
    EXPECT_EQ(line.GetPortIndex(), 4);
  }  // the channel saves its settings here, into a store that keeps nothing
  std::ifstream in(path);
  std::stringstream after;
  after << in.rdbuf();
  EXPECT_EQ(after.str(), text);
}

}  // namespace
}  // namespace cct
