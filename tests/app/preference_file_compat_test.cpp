// The preferences file is read and written without Qt, and earlier versions
// of the window read and wrote it through Qt's settings: each must read what
// the other wrote.
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

#include "app/preference_store.h"
#include "serial/preference_file.h"
#include "settings_sandbox.h"

namespace cct {
namespace {

class PreferenceFileCompatTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(config.IsValid()); }
  test::SettingsSandbox config;
};

TEST_F(PreferenceFileCompatTest, ReadsWhatTheWindowStoredThroughQt) {
  const std::string path = " /tmp/with \"quotes\", commas\\ and; spaces=é ";
  config.Store("Previous Application Shutdown Status", 1);
  config.Store("Communication Mode", 2);
  config.Store("Cameralink 2001 Dll Index", -4);
  config.Store("Baudrate", QStringLiteral(" 19200 "));  // a number stored as text
  config.Store("Camera File Path", QString::fromStdString(path));

  PreferenceFile stored(PreferenceFilePath(), PreferenceFile::Access::kReadOnly);
  ASSERT_EQ(PreferenceFilePath(), config.ConfFile().toStdString());
  for (const auto& [index, expected] : {std::pair{kPrefCommunicationMode, 2},
                                        {kPrefCameraLink2001Index, -4},
                                        {kPrefBaudrate, 19200}}) {
    int value = 0;
    EXPECT_TRUE(stored.GetNumber(index, value, 0)) << index;
    EXPECT_EQ(value, expected) << index;
  }
  EXPECT_TRUE(stored.PreviousRunEndedNormally());
  std::string text;
  ASSERT_TRUE(stored.GetText(kPrefCameraFilePath, text));
  EXPECT_EQ(text, path);
}

// Files as an operator may have edited them: wherever Qt reads text, the
// same text reads here; wherever it reads something else, nothing does.
TEST_F(PreferenceFileCompatTest, HandEditedFilesReadAsQtReadThem) {
  const char* kFiles[] = {
      "[General]\nCamera%20File%20Path=/tmp/a b\n",
      "[General]\r\nCamera%20File%20Path = \"  /a, b;c=d \"  \r\n",
      "[General]\nCamera%20File%20Path=\\\"q\\\" \\\\ \\t \\x41\\x263a\\101 \\q\\\n",
      "[General]\nCamera%20File%20Path=/tm\\\np\nControl%20Mode=1\n",
      "[General]\nCamera%20File%20Path=\"/a\nb\"\n",
      "[General]\nCamera%20File%20Path=/tmp  ; a note\n;Camera%20File%20Path=/x\n",
      "[General]\nCamera%20File%20Path=/tmp \\x20 \t\n",
      "Camera%20File%20Path=/before\n[Other]\nCamera%20File%20Path=/other\n",
      "[ general ]\nCamera File Path=/a\n[GENERAL]\n%43amera%20File%20Path=/b\n",
      "\xEF\xBB\xBF[General]\nCamera%20File%20Path=@@at\n",
      "[General]\n\xEF\xBB\xBF"
      "Camera%20File%20Path=\"\xEF\xBB\xBF/bom\"\n",
      "[General]\nX=abc\\\n[Other]\nCamera%20File%20Path=/swallowed\n",
      "[General]\nCamera%20File%20Path=\"/a\nControl%20Mode=1\n",
      "[General]\nCamera%20File%20Path=/a, /b\n",
      "[General]\nCamera%20File%20Path=@ByteArray(/tmp)\n",
      "[Other]\nCamera%20File%20Path=/tmp\n",
  };
  for (const char* text : kFiles) {
    ASSERT_TRUE(config.Write(text));
    const QVariant qt = config.Stored("Camera File Path");
    std::string here;
    const bool found = FindPreferenceText(text, "Camera File Path", here);
    if (qt.typeId() == QMetaType::QString) {
      EXPECT_TRUE(found) << text;
      EXPECT_EQ(here, qt.toString().toStdString()) << text;
    } else {
      EXPECT_FALSE(found) << text << " read as " << here;
    }
  }
}

// What is written here reads the same through Qt, and what Qt stored around
// it stays as Qt stored it.
TEST_F(PreferenceFileCompatTest, WrittenHereReadsTheSameInQt) {
  config.Store("Control Mode", 1);
  config.Store("Recent", QStringList{"a", "b, c"});
  config.Store("Window/Size", 640);
  PreferenceFile preferences;
  const char* kTexts[] = {
      " /tmp/with \"quotes\", commas\\ and; spaces=é ",
      "@home",
      "/tmp/☺/x",
      "a\tb\x01"
      "c\x1f",
      "\x7f",
      "\xEF\xBB\xBF/bom",
      "",
  };
  for (const char* text : kTexts) {
    ASSERT_TRUE(preferences.SetText(kPrefCameraFilePath, text)) << text;
    EXPECT_EQ(config.Stored("Camera File Path").toString().toStdString(), text);
  }
  for (const int number : {-5, 0, 2147483647}) {
    ASSERT_TRUE(preferences.SetNumber(kPrefComPortNo, number));
    EXPECT_EQ(config.Stored("Com Port No").toString(), QString::number(number));
  }
  EXPECT_EQ(config.Stored("Control Mode").toInt(), 1);
  EXPECT_EQ(config.Stored("Recent").toStringList(), (QStringList{"a", "b, c"}));
  EXPECT_EQ(config.Stored("Window/Size").toInt(), 640);
}

}  // namespace
}  // namespace cct
