#include "protocol/file_bytes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "support/temp_config.h"

namespace cct {
namespace {

// Where an operator's or a script's file may come from: each either gives its
// bytes or a reason, at once.
TEST(FileBytesTest, EveryKindOfPathGivesBytesOrAReasonWithoutWaiting) {
  test::TempConfig folder;
  const std::string dir = folder.Path();
  { std::ofstream(dir + "/small") << "GA=100\r\n"; }
  { std::ofstream(dir + "/large") << std::string(2000, 'x'); }
  ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
  struct Case {
    std::string path;
    bool regularOnly;
    bool ok;
    FileReadError error;
    std::string bytes;
  };
  const Case cases[] = {
      {dir + "/small", true, true, FileReadError::kNone, "GA=100\r\n"},
      {dir + "/missing", true, false, FileReadError::kCannotOpen, ""},
      {dir, true, false, FileReadError::kNotRegularFile, ""},
      {dir, false, false, FileReadError::kNotRegularFile, ""},
      {dir + "/large", true, false, FileReadError::kTooLarge, ""},
      // No writer: refused, or read as empty, but the open never waits.
      {dir + "/fifo", true, false, FileReadError::kNotRegularFile, ""},
      {dir + "/fifo", false, true, FileReadError::kNone, ""},
      // Endless: refused, or cut off at the bound.
      {"/dev/zero", true, false, FileReadError::kNotRegularFile, ""},
      {"/dev/zero", false, false, FileReadError::kTooLarge, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + (c.regularOnly ? " (regular only)" : ""));
    std::string bytes = "stale";
    FileReadError error = FileReadError::kNone;
    EXPECT_EQ(ReadFileBytes(c.path, 1024, c.regularOnly, bytes, error), c.ok);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(bytes, c.bytes);
  }
}

TEST(FileBytesTest, APipeIsReadToItsEndWithinTheBound) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  ASSERT_EQ(::write(ends[1], "BL=12\r\n", 7), 7);
  ::close(ends[1]);
  std::string bytes;
  FileReadError error;
  EXPECT_TRUE(ReadDescriptorBytes(ends[0], 7, bytes, error));
  EXPECT_EQ(bytes, "BL=12\r\n");
  ::close(ends[0]);

  ASSERT_EQ(::pipe(ends), 0);
  ASSERT_EQ(::write(ends[1], "BL=12\r\n", 7), 7);
  ::close(ends[1]);
  EXPECT_FALSE(ReadDescriptorBytes(ends[0], 6, bytes, error));
  EXPECT_EQ(error, FileReadError::kTooLarge);
  ::close(ends[0]);
}

}  // namespace
}  // namespace cct
