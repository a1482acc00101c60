// camera-ctl reads the window's preferences file and never writes it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "serial/preference_file.h"
#include "serial/serial_channel.h"
#include "support/temp_config.h"

namespace cct {
namespace {

class StoredSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(config.Path() + "/Ovreth"); }
  PreferenceFile& FromText(const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    return settings;
  }
  int Number(int index, int defaultValue = -9) {
    int value = 0;
    settings.GetNumber(index, value, defaultValue);
    return value;
  }

  test::TempConfig config;
  const std::string path = PreferenceFilePath();
  PreferenceFile settings{path, PreferenceFile::Access::kReadOnly};
};

TEST_F(StoredSettingsTest, ReadsTheWindowsFileAsItIsWritten) {
  PreferenceFile& s = FromText(
      "[General]\n"
      "Baudrate=38400\r\n"  // a file edited on another system
      "Com%20Port%20No=2\n"
      "Communication%20Mode=\" 1 \"\n"  // quoted text holding a number
      "Camera%20File%20Path=\"/tmp/a \\\"b\\\"\"\n"
      "Control%20Mode=+1\n"
      "Previous%20Application%20Shutdown%20Status=1\n");
  EXPECT_EQ(Number(kPrefBaudrate), 38400);
  EXPECT_EQ(Number(kPrefComPortNo), 2);
  EXPECT_EQ(Number(kPrefCommunicationMode), 1);
  EXPECT_EQ(Number(kPrefControlMode), 1);
  EXPECT_TRUE(s.PreviousRunEndedNormally());
  std::string text;
  ASSERT_TRUE(s.GetText(kPrefCameraFilePath, text));
  EXPECT_EQ(text, "/tmp/a \"b\"");
}

TEST_F(StoredSettingsTest, AnythingButAPlainNumberReadsAsTheDefault) {
  PreferenceFile& s = FromText(
      "Com%20Port%20No=5\n"  // before any section: [General]'s, as the window reads it
      "[Other]\nBaudrate=19200\n"
      "[General]\n"
      "Communication%20Mode=1,2\n"  // a list
      "Cameralink%202000%20Dll%20Index=abc\n"
      "Cameralink%202001%20Dll%20Index=99999999999\n"  // beyond 32 bits
      "Cameralink%20Ver11%20Dll%20Index=@Variant(\\0\\0\\0\\x7f)\n"
      "Control%20Mode=\"1\n"  // unterminated quote: the rest of the file is its text
      "garbage without equals\n"
      "=7\n");
  EXPECT_EQ(Number(kPrefComPortNo), 5);
  for (int index : std::initializer_list<int>{kPrefBaudrate, kPrefCommunicationMode,
                                              kPrefCameraLink2000Index, kPrefCameraLink2001Index,
                                              kPrefCameraLink11Index, kPrefControlMode, 42, -1}) {
    int value = 0;
    EXPECT_FALSE(s.GetNumber(index, value, -9)) << index;
    EXPECT_EQ(value, -9) << index;
  }
  EXPECT_FALSE(s.PreviousRunEndedNormally());
}

TEST_F(StoredSettingsTest, TheLineTakesTheStoredValuesAndWritesNothingBack) {
  ASSERT_EQ(path, config.Path() + "/Ovreth/QX-2040-RTN Control Tool.conf");
  const std::string text =
      "[General]\nCommunication%20Mode=3\nCom%20Port%20No=4\n"
      "Cameralink%20Ver11%20Dll%20Index=2147483647\n";
  PreferenceFile& stored = FromText(text);
  {
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
