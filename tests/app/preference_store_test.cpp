#include "app/preference_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "app/control_mode.h"
#include "settings_sandbox.h"

namespace cct {
namespace {

std::string Cwd() {
  return std::filesystem::current_path().string();
}

class PreferenceStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(config.IsValid()); }
  test::SettingsSandbox config;
};

TEST_F(PreferenceStoreTest, FirstRunCreatesTheFileAndReadsDefaults) {
  ASSERT_FALSE(QFile::exists(config.ConfFile()));
  {
    PreferenceStore store;
    EXPECT_FALSE(store.PreviousRunEndedNormally());
    // The marker is 0 from the store's creation on.
    ASSERT_TRUE(QFile::exists(config.ConfFile()));
    EXPECT_EQ(config.Stored("Previous Application Shutdown Status").toInt(), 0);
    int value = 0;
    EXPECT_FALSE(store.GetNumber(kPrefCommunicationMode, value, 7));
    EXPECT_EQ(value, 7);
    std::string path;
    EXPECT_FALSE(store.GetPath(kPrefCameraFilePath, path));
    EXPECT_EQ(path, Cwd());
  }
  EXPECT_EQ(config.Stored("Previous Application Shutdown Status").toInt(), 1);
}

TEST_F(PreferenceStoreTest, MarkerTellsWhetherThePreviousRunEndedNormally) {
  { PreferenceStore ended; }
  {
    PreferenceStore store;
    EXPECT_TRUE(store.PreviousRunEndedNormally());
    EXPECT_EQ(config.Stored("Previous Application Shutdown Status").toInt(), 0);
  }
  // A run that never got to its end leaves 0, whatever came before.
  config.Store("Previous Application Shutdown Status", 0);
  PreferenceStore afterCrash;
  EXPECT_FALSE(afterCrash.PreviousRunEndedNormally());
}

TEST_F(PreferenceStoreTest, NumbersAndTextsAreStoredUnderTheirNames) {
  PreferenceStore store;
  for (int i = 1; i <= kPrefControlMode; ++i) ASSERT_TRUE(store.SetNumber(i, 100 + i));
  ASSERT_TRUE(store.SetText(kPrefCameraFilePath, "/tmp"));
  ASSERT_TRUE(store.SetText(kPrefCommandLogFilePath, "/tmp/log,1.txt"));

  const char* names[] = {"Communication Mode",
                         "Baudrate",
                         "Com Port No",
                         "Cameralink 2000 Dll Index",
                         "Cameralink 2001 Dll Index",
                         "Cameralink Ver11 Dll Index",
                         "Control Mode"};
  for (int i = 1; i <= kPrefControlMode; ++i) {
    EXPECT_EQ(PreferenceName(i), names[i - 1]);
    EXPECT_EQ(config.Stored(names[i - 1]).toInt(), 100 + i) << names[i - 1];
    int value = 0;
    EXPECT_TRUE(store.GetNumber(i, value, -1));
    EXPECT_EQ(value, 100 + i);
  }
  EXPECT_EQ(config.Stored("Camera File Path").toString(), "/tmp");
  // A comma must not turn the text into a list.
  EXPECT_EQ(config.Stored("Command Log File Path").toString(), "/tmp/log,1.txt");
  EXPECT_TRUE(store.SetNumber(kPrefBaudrate, -5));
  int value = 0;
  EXPECT_TRUE(store.GetNumber(kPrefBaudrate, value, 0));
  EXPECT_EQ(value, -5);
}

TEST_F(PreferenceStoreTest, ANumberStoredAsTextReadsAsThatNumber) {
  PreferenceStore store;
  ASSERT_TRUE(store.SetText(kPrefCommunicationMode, "2"));
  int value = 0;
  EXPECT_TRUE(store.GetNumber(kPrefCommunicationMode, value, 0));
  EXPECT_EQ(value, 2);

  // Written by hand into the file: still text.
  config.Store("Com Port No", QStringLiteral(" 3 "));
  EXPECT_TRUE(store.GetNumber(kPrefComPortNo, value, 0));
  EXPECT_EQ(value, 3);

  // Text that is no number, or a list, fails like a missing value.
  for (const QVariant& bad :
       {QVariant(QStringLiteral("two")), QVariant(QStringLiteral("2x")),
        QVariant(QStringLiteral("99999999999")), QVariant(QStringList{"1", "2"})}) {
    config.Store("Control Mode", bad);
    EXPECT_FALSE(store.GetNumber(kPrefControlMode, value, 9)) << bad.toString().toStdString();
    EXPECT_EQ(value, 9);
  }
}

// Qt's encodings of other types, and junk, as earlier versions could leave
// them: no number and no path, and the next write puts a plain value there.
TEST_F(PreferenceStoreTest, ValuesThatAreNoPlainTextReadAsMissingAndAreReplaced) {
  const struct {
    const char* number;
    const char* path;
  } kJunk[] = {
      {R"(@Variant(\0\0\0\x2\0\0\0\0\x1))", R"(@Variant(\0\0\0\n\0\0\0\0\b\0/\0t\0m\0p))"},
      {"@String(1)", "@String(/tmp)"},
      {"@ByteArray(1)", "@ByteArray(/tmp)"},
      {"@Invalid()", "@Invalid()"},
      {R"(@Variant(\0\0\0\v\0\xff\xff\xff\xfe))", R"(@Variant(\0\0\0\t\0\xff\xff\xff\xfe))"},
      {R"(1\0)", R"(/tmp\0)"},  // a zero inside
      {"1\xff", "/tmp\xff"},    // no UTF-8
      {"1, 2", "/tmp, /"},      // a list
  };
  for (const auto& junk : kJunk) {
    ASSERT_TRUE(config.Write(QByteArray("[General]\nControl%20Mode=") + junk.number +
                             "\nCamera%20File%20Path=" + junk.path + "\n"));
    PreferenceStore store;
    int value = 0;
    EXPECT_FALSE(store.GetNumber(kPrefControlMode, value, 9)) << junk.number;
    EXPECT_EQ(value, 9) << junk.number;
    std::string path;
    EXPECT_FALSE(store.GetPath(kPrefCameraFilePath, path)) << junk.path;
    EXPECT_EQ(path, Cwd()) << junk.path;

    ASSERT_TRUE(store.SetNumber(kPrefControlMode, 1));
    ASSERT_TRUE(store.SetText(kPrefCameraFilePath, "/tmp"));
    const QByteArray text = config.Text();
    EXPECT_TRUE(text.contains("\nControl%20Mode=1\n") && !text.contains('@') &&
                text.contains("\nCamera%20File%20Path=/tmp\n"))
        << text.toStdString();
  }
}

TEST_F(PreferenceStoreTest, PathsMustExist) {
  PreferenceStore store;
  QDir base(config.Path());
  ASSERT_TRUE(base.mkdir("cams"));
  const std::string folder = base.filePath("cams").toStdString();
  ASSERT_TRUE(store.SetText(kPrefCameraFilePath, folder));
  std::string path;
  EXPECT_TRUE(store.GetPath(kPrefCameraFilePath, path));
  EXPECT_EQ(path, folder);

  // A log file path names a file.
  const std::string file = config.ConfFile().toStdString();
  ASSERT_TRUE(store.SetText(kPrefCommandLogFilePath, file));
  EXPECT_TRUE(store.GetPath(kPrefCommandLogFilePath, path));
  EXPECT_EQ(path, file);

  ASSERT_TRUE(base.rmdir("cams"));
  path = "stale";
  EXPECT_FALSE(store.GetPath(kPrefCameraFilePath, path));
  EXPECT_EQ(path, Cwd());

  // Too long for the platform: never a usable path.
  ASSERT_TRUE(store.SetText(kPrefCameraFilePath, "/" + std::string(5000, 'a')));
  EXPECT_FALSE(store.GetPath(kPrefCameraFilePath, path));
  EXPECT_EQ(path, Cwd());
}

TEST_F(PreferenceStoreTest, IndexOutsideTheTableFailsWithoutTouchingTheStore) {
  PreferenceStore store;
  QFile conf(config.ConfFile());
  ASSERT_TRUE(conf.open(QIODevice::ReadOnly));
  const QByteArray before = conf.readAll();
  conf.close();

  for (int index : {-1, kPreferenceCount}) {
    int value = 0;
    EXPECT_FALSE(store.GetNumber(index, value, 42));
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(store.SetNumber(index, 1));
    EXPECT_FALSE(store.SetText(index, "x"));
    std::string path;
    EXPECT_FALSE(store.GetPath(index, path));
    EXPECT_EQ(path, Cwd());
    EXPECT_TRUE(PreferenceName(index).empty());
  }
  ASSERT_TRUE(conf.open(QIODevice::ReadOnly));
  EXPECT_EQ(conf.readAll(), before);
}

TEST_F(PreferenceStoreTest, AWriteThatCannotReachTheFileFails) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes through any permission";
  PreferenceStore store;
  const QString folder = QFileInfo(config.ConfFile()).path();
  ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  ASSERT_TRUE(QFile::setPermissions(config.ConfFile(), QFileDevice::ReadOwner));
  EXPECT_FALSE(store.SetNumber(kPrefControlMode, 1));
  EXPECT_FALSE(store.SetText(kPrefCameraFilePath, "/tmp"));
  QFile::setPermissions(folder,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QFile::setPermissions(config.ConfFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(PreferenceStoreTest, ControlModeIsReadOnFirstUseAndWrittenAtTheEnd) {
  PreferenceStore store;
  {
    ControlModeHolder fresh(store);
    EXPECT_EQ(fresh.GetControlMode(), kUserMode);  // missing reads 0
    fresh.SetControlMode(kFactoryMode);
    // Nothing is written before the end.
    EXPECT_FALSE(config.Stored("Control Mode").isValid());
  }
  EXPECT_EQ(config.Stored("Control Mode").toInt(), kFactoryMode);
  ControlModeHolder next(store);
  EXPECT_EQ(next.GetControlMode(), kFactoryMode);
}

}  // namespace
}  // namespace cct
