// camera-ctl reads the window's preferences without Qt: what the window's
// store writes, its reader must read the same.
#include <gtest/gtest.h>

#include "app/preference_store.h"
#include "cli/stored_settings.h"
#include "settings_sandbox.h"

namespace cct {
namespace {

TEST(StoredSettingsCompatTest, ReadsWhatTheWindowStored) {
  test::SettingsSandbox config;
  ASSERT_TRUE(config.IsValid());
  {
    PreferenceStore store;
    ASSERT_TRUE(store.SetNumber(kPrefCommunicationMode, 2));
    ASSERT_TRUE(store.SetNumber(kPrefComPortNo, 11));
    ASSERT_TRUE(store.SetNumber(kPrefCameraLink2001Index, -4));
    ASSERT_TRUE(store.SetText(kPrefCameraFilePath, " /tmp/with \"quotes\", commas\\ and spaces "));
  }                                                     // the run ends normally: marker 1
  config.Store("Baudrate", QStringLiteral(" 19200 "));  // a number stored as text

  StoredSettings stored(StoredSettingsPath());
  ASSERT_EQ(StoredSettingsPath(), config.ConfFile().toStdString());
  int value = 0;
  EXPECT_TRUE(stored.GetNumber(kPrefCommunicationMode, value, 0));
  EXPECT_EQ(value, 2);
  EXPECT_TRUE(stored.GetNumber(kPrefComPortNo, value, 0));
  EXPECT_EQ(value, 11);
  EXPECT_TRUE(stored.GetNumber(kPrefCameraLink2001Index, value, 0));
  EXPECT_EQ(value, -4);
  EXPECT_TRUE(stored.GetNumber(kPrefBaudrate, value, 0));
  EXPECT_EQ(value, 19200);
  EXPECT_TRUE(stored.PreviousRunEndedNormally());
  std::string text;
  ASSERT_TRUE(stored.Value("Camera File Path", text));
  EXPECT_EQ(text, " /tmp/with \"quotes\", commas\\ and spaces ");
}

}  // namespace
}  // namespace cct
