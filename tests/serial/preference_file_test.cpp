#include "serial/preference_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "support/temp_config.h"

namespace cct {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Put(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class PreferenceFileTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(folder); }
  size_t Entries() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
  }

  test::TempConfig config;
  const std::string folder = config.Path() + "/Ovreth";
  const std::string path = PreferenceFilePath();
};

// What is no preferences file of ours is neither read nor replaced, and
// never waited for.
TEST_F(PreferenceFileTest, WhatIsNoRegularFileOfOursIsNeitherReadNorReplaced) {
  const std::string large =
      "[General]\nControl%20Mode=1\n;" + std::string(kMaxPreferenceFileBytes, 'x') + "\n";
  const std::pair<const char*, std::function<void()>> kFiles[] = {
      {"folder", [&] { fs::create_directory(path); }},
      {"FIFO", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
      {"too large", [&] { Put(path, large); }},
  };
  for (const auto& [what, make] : kFiles) {
    std::error_code ec;
    fs::remove_all(path, ec);
    make();
    const fs::file_type type = fs::symlink_status(path).type();
    for (const auto access :
         {PreferenceFile::Access::kReadWrite, PreferenceFile::Access::kReadOnly}) {
      PreferenceFile file(path, access);
      int value = 0;
      EXPECT_FALSE(file.GetNumber(kPrefControlMode, value, 7)) << what;
      EXPECT_EQ(value, 7) << what;
      EXPECT_FALSE(file.SetNumber(kPrefControlMode, 0)) << what;
    }
    EXPECT_EQ(fs::symlink_status(path).type(), type) << what;
    if (type == fs::file_type::regular) {
      EXPECT_EQ(Slurp(path), large);
    }
    EXPECT_EQ(Entries(), 1u) << what;
  }
}

TEST_F(PreferenceFileTest, AWriteThatCannotCompleteFailsAndLeavesTheOldFile) {
  const std::string before = "[General]\nControl%20Mode=1\n";
  const struct {
    const char* what;
    std::string file;
    mode_t folderMode;
  } kWrites[] = {
      // The temporary file's longer name does not fit.
      {"name too long for a temporary file", folder + "/" + std::string(NAME_MAX - 3, 'p'), 0700},
      {"read-only folder", path, 0500},
  };
  for (const auto& write : kWrites) {
    if (write.folderMode != 0700 && ::geteuid() == 0) continue;  // root writes anywhere
    Put(write.file, before);
    ::chmod(folder.c_str(), write.folderMode);
    EXPECT_FALSE(PreferenceFile(write.file).SetNumber(kPrefControlMode, 0)) << write.what;
    ::chmod(folder.c_str(), 0700);
    EXPECT_EQ(Slurp(write.file), before) << write.what;
    EXPECT_EQ(Entries(), 1u) << write.what;  // no temporary file left behind
    fs::remove(write.file);
  }
}

TEST_F(PreferenceFileTest, ReplacingTheFileKeepsItsLinkAndItsMode) {
  const std::string target = config.Path() + "/dotfiles.conf";
  Put(target, "[General]\n");
  fs::permissions(target, fs::perms(0640));
  fs::create_symlink(target, path);
  ASSERT_TRUE(PreferenceFile().SetNumber(kPrefComPortNo, 3));
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(Slurp(target), "[General]\nCom%20Port%20No=3\n");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
}

// A file edited by hand keeps its comments, sections and other values.
TEST(PreferenceTextTest, SettingAValueKeepsEverythingElseOfTheFile) {
  const std::pair<const char*, const char*> kEdits[] = {
      {"", "[General]\nControl%20Mode=1\n"},
      {"; by hand\n[General]\nBaudrate=9600 ; fast\nOther=x\n\n[Camera]\nGA=100\n",
       "; by hand\n[General]\nBaudrate=9600 ; "
       "fast\nOther=x\nControl%20Mode=1\n\n[Camera]\nGA=100\n"},
      {"[General]\r\nControl%20Mode=@Invalid() ; junk\r\nX=1\r\n",
       "[General]\r\nControl%20Mode=1; junk\r\nX=1\r\n"},
      {"[Camera]\nGA=1\n", "[General]\nControl%20Mode=1\n\n[Camera]\nGA=1\n"},
      // Values before any section are [General]'s.
      {"Baudrate=1\n[Camera]\nGA=1\n", "[General]\nBaudrate=1\nControl%20Mode=1\n[Camera]\nGA=1\n"},
      {"\xEF\xBB\xBF[General]\nBaudrate=1",
       "\xEF\xBB\xBF[General]\nBaudrate=1\nControl%20Mode=1\n"},
      {"[General]\nControl%20Mode=0\n[Camera]\n[general]\nControl%20Mode=@Variant(\\0)\n",
       "[General]\nControl%20Mode=1\n[Camera]\n[general]\nControl%20Mode=1\n"},
      // A last line that would take in a line after it.
      {"[General]\nPath=C:\\", "[General]\nControl%20Mode=1\n\n[General]\nPath=C:\\"},
  };
  for (const auto& [before, after] : kEdits) {
    std::string file = before;
    ASSERT_TRUE(PutPreferenceText(file, "Control Mode", "1")) << before;
    EXPECT_EQ(file, after);
  }
  // Text no reader could take back is not written.
  std::string file = "[General]\n";
  EXPECT_FALSE(PutPreferenceText(file, "Camera File Path", std::string("/a\0b", 4)));
  EXPECT_FALSE(PutPreferenceText(file, "Camera File Path", "/a\xff"));
  EXPECT_EQ(file, "[General]\n");
}

}  // namespace
}  // namespace cct
