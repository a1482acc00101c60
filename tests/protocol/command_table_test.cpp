#include <gtest/gtest.h>

#include "protocol/command_table.h"

namespace cct {
namespace {

TEST(CommandTable, LooksUpWholeMnemonicsCaseSensitively) {
  const CommandTable& table = TheCommandTable();
  EXPECT_EQ(table.Lookup("GA"), 36);  // not GA00 (87) or GA4A00 (71)
  EXPECT_EQ(table.Lookup("GA00"), 87);
  EXPECT_EQ(table.Lookup("ga"), -1);
  EXPECT_EQ(table.Lookup(""), -1);
  EXPECT_EQ(table.Lookup("GA "), -1);
}

TEST(CommandTable, RowsFollowCommandIds) {
  const CommandTable& table = TheCommandTable();
  EXPECT_EQ(table.MnemonicOf(0), "EB");
  EXPECT_EQ(table.MnemonicOf(11), "CBDRT");
  EXPECT_EQ(table.MnemonicOf(59), "TMPS0");
  EXPECT_EQ(table.MnemonicOf(68), "ULCK");
  EXPECT_EQ(table.MnemonicOf(89), "PBC00");
  // Every mnemonic finds its own row: no duplicates hide a later one.
  for (int id = 0; id < kCommandCount; ++id) EXPECT_EQ(table.Lookup(table.MnemonicOf(id)), id);
  // Out-of-range ids yield nothing rather than reading past the table.
  EXPECT_EQ(table.MnemonicOf(90), "");
  EXPECT_EQ(table.MnemonicOf(-1), "");
}

TEST(CommandTable, TextCommandsAreExactlyTheIdentityOnes) {
  const CommandTable& table = TheCommandTable();
  std::vector<std::string> text;
  for (int id = 0; id < kCommandCount; ++id) {
    if (table.KindOf(id) == kKindText) text.push_back(table.MnemonicOf(id));
  }
  EXPECT_EQ(text,
            (std::vector<std::string>{"ID", "UD", "DVN", "MD", "DV", "ID00", "MD00", "DV00"}));
}

}  // namespace
}  // namespace cct
