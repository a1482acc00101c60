#include "protocol/parameter_table.h"

#include <gtest/gtest.h>

#include <set>

#include "protocol/command_table.h"
#include "res/combo_items.h"
#include "support/recording_host.h"

namespace cct {
namespace {

class ParameterTableTest : public ::testing::Test {
 protected:
  void ExpectOneWarning(const std::string& text) {
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, text);
    EXPECT_EQ(host.boxes[0].caption, kAppCaption);
    EXPECT_EQ(host.boxes[0].icon, MsgIcon::Warning);
  }

  test::RecordingHost host;
  ParameterTable table{host};
};

TEST_F(ParameterTableTest, RowsAreUniqueAndEndWithTheTerminatingRow) {
  EXPECT_EQ(kParameterRows[kParameterRowCount].ctrlId, -1);
  std::set<int> ctrlIds, cmdIds;
  int fileRows = 0, factoryRows = 0, buttons = 0;
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    const ParameterRow& row = table.Row(i);
    ctrlIds.insert(row.ctrlId);
    cmdIds.insert(row.cmdId);
    EXPECT_EQ(row.spinRange, 0);
    EXPECT_EQ(row.previous, 0);
    EXPECT_LE(row.minimum, row.maximum) << row.ctrlId;
    // Buttons carry no value and belong to no area.
    EXPECT_EQ(row.ctrlKind == kKindPushButton, row.area == kAreaButton) << row.ctrlId;
    fileRows += row.fileFlag;
    factoryRows += row.area == kAreaFactory;
    buttons += row.ctrlKind == kKindPushButton;
  }
  EXPECT_EQ(ctrlIds.size(), 57u);
  EXPECT_EQ(cmdIds.size(), 57u);
  EXPECT_EQ(fileRows, 36);
  EXPECT_EQ(factoryRows, 11);
  EXPECT_EQ(buttons, 8);
  EXPECT_EQ(table.Row(57).ctrlId, -1);
  EXPECT_EQ(table.Row(-1).ctrlId, -1);
}

TEST_F(ParameterTableTest, SettingFileRowsGiveTheFileLinesInOrder) {
  // The setting file lists the flagged rows in table order.
  const char* expected[] = {
      "TG",     "TI",     "TA",     "ARST",   "EM",     "PE",   "LR",   "AL",    "BI",
      "HB",     "HBM",    "BA",     "TAGM",   "CLC",    "GA",   "ABG",  "BL",    "SDC",
      "PGC",    "PBC",    "LUN",    "GMA",    "TMPS0",  "LS0",  "SS",   "MF",    "GA4A00",
      "GA4B00", "GA8K00", "BL4A00", "BL4B00", "BL8K00", "BYP0", "GA00", "PGC00", "PBC00"};
  std::vector<std::string> lines;
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    if (table.Row(i).fileFlag) lines.push_back(TheCommandTable().MnemonicOf(table.Row(i).cmdId));
  }
  EXPECT_EQ(lines, std::vector<std::string>(std::begin(expected), std::end(expected)));
}

TEST_F(ParameterTableTest, LooksUpBothDirections) {
  EXPECT_EQ(table.ToCmdId(1041), kCmdGA);
  EXPECT_EQ(table.ToCtrlId(kCmdGA), 1041);
  EXPECT_EQ(table.ToCmdId(1214), 89);
  EXPECT_EQ(table.ToCtrlId(89), 1214);
  EXPECT_EQ(table.CtrlId2TblIndex(1124), 0);
  EXPECT_EQ(table.CtrlId2TblIndex(1214), 56);
  int32_t minimum = 0, maximum = 0;
  EXPECT_TRUE(table.GetRange(1139, minimum, maximum));
  EXPECT_EQ(minimum, -133);
  EXPECT_EQ(maximum, 255);
  EXPECT_TRUE(table.GetRange(1093, minimum, maximum));
  EXPECT_EQ(maximum, kNoUpperLimit);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ParameterTableTest, UnknownIdsShowTheirMessagesAndFail) {
  EXPECT_EQ(table.ToCtrlId(kCmdTMP0), -1);  // a command without a control
  ExpectOneWarning("Unexpected error occurred in ToCtrlId(): Command id is 58");
  host.boxes.clear();

  EXPECT_EQ(table.GetDataValue(1000), -1);
  ExpectOneWarning("Unexpected error occurred in GetDataValue().");
  host.boxes.clear();

  EXPECT_EQ(table.GetPrevDataValue(1000), -1);
  ExpectOneWarning("Unexpected error occurred in GetDataValue().");
  host.boxes.clear();

  EXPECT_FALSE(table.SetDataValue(1000, 5));
  ExpectOneWarning("Unexpected error occurred in SetDataValue().");
  host.boxes.clear();

  EXPECT_EQ(table.ToCmdId(-1), -1);  // the terminating row is no row
  ExpectOneWarning("Unexpected error occurred in ToCmdId().");
  host.boxes.clear();

  EXPECT_EQ(table.CtrlId2TblIndex(1000), -1);
  ExpectOneWarning("Unexpected error occurred in CtrlId2TblIndex().");
  host.boxes.clear();

  int32_t minimum = 7, maximum = 8;
  EXPECT_FALSE(table.GetRange(1000, minimum, maximum));
  EXPECT_EQ(minimum, 7);
  EXPECT_EQ(maximum, 8);
  ExpectOneWarning("Unexpected error occurred in CtrlId2TblIndex().");
  host.boxes.clear();

  EXPECT_FALSE(table.IsFactoryParam(1000));
  ExpectOneWarning(
      "ERROR: IsFactoryParam(): Control id \"1000: 0x3e8\" is not registered in database table");
  host.boxes.clear();

  EXPECT_EQ(table.IsFileParam(1000), 0);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ParameterTableTest, TellsAreasFlagsAndKinds) {
  EXPECT_TRUE(table.IsFactoryParam(1199));
  EXPECT_FALSE(table.IsFactoryParam(1041));
  EXPECT_FALSE(table.IsFactoryParam(1191));  // push button, area 0
  EXPECT_EQ(table.IsFileParam(1096), 1);
  EXPECT_EQ(table.IsFileParam(1124), 0);
  EXPECT_TRUE(table.IsValueParam(0));
  EXPECT_FALSE(table.IsValueParam(11));  // "One-push"
  EXPECT_FALSE(table.IsValueParam(57));
  EXPECT_FALSE(table.IsValueParam(-1));
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ParameterTableTest, CountsStayTheSameOnEveryCall) {
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(table.CountValueParams(), 49);
    EXPECT_EQ(table.CountUserParams(), 38);
  }
}

TEST_F(ParameterTableTest, FailedWriteRollsBackToTheLastSnapshot) {
  EXPECT_EQ(table.GetDataValue(1104), 6400);  // default before any read
  EXPECT_EQ(table.GetDataValue(1147), 4);
  EXPECT_EQ(table.GetPrevDataValue(1104), 0);

  ASSERT_TRUE(table.SetDataValue(1041, 200));
  table.SnapshotValues();                      // the camera confirmed 200
  ASSERT_TRUE(table.SetDataValue(1041, 300));  // the camera refuses this one
  EXPECT_EQ(table.GetDataValue(1041), 300);
  EXPECT_EQ(table.GetPrevDataValue(1041), 200);
  ASSERT_TRUE(table.SetDataValue(1041, table.GetPrevDataValue(1041)));
  EXPECT_EQ(table.GetDataValue(1041), 200);
  // The snapshot covered every row, defaults included.
  EXPECT_EQ(table.GetPrevDataValue(1104), 6400);
}

TEST_F(ParameterTableTest, InstancesKeepTheirOwnValues) {
  test::RecordingHost otherHost;
  ParameterTable other(otherHost);
  ASSERT_TRUE(table.SetDataValue(1139, -133));
  EXPECT_EQ(other.GetDataValue(1139), 0);
}

TEST(ComboItemsTest, EveryComboRowHasItsListAndEveryListItsRow) {
  test::RecordingHost host;
  ParameterTable table(host);
  int combos = 0;
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    const ParameterRow& row = table.Row(i);
    const int list = FindComboList(row.ctrlId);
    EXPECT_EQ(row.ctrlKind == kKindComboBox, list >= 0) << row.ctrlId;
    if (list < 0) continue;
    ++combos;
    EXPECT_EQ(kComboLists[list].cmdId, row.cmdId) << row.ctrlId;
    EXPECT_FALSE(kComboLists[list].items.empty());
  }
  EXPECT_EQ(combos, kComboListCount);
  EXPECT_EQ(FindComboList(1041), -1);
}

TEST(ComboItemsTest, ListsWithoutOwnValuesUseThePosition) {
  for (const ComboList& list : kComboLists) {
    if (list.assignsValues) continue;
    for (size_t i = 0; i < list.items.size(); ++i) {
      EXPECT_EQ(list.items[i].value, static_cast<int32_t>(i)) << list.ctrlId;
    }
  }
  const ComboList& ls0 = kComboLists[FindComboList(1101)];
  ASSERT_EQ(ls0.items.size(), 6u);
  EXPECT_EQ(ls0.items[2].value, 4);
  EXPECT_STREQ(ls0.items[2].text, "Exposure Active (XEEN)");
  const ComboList& cbdrt = kComboLists[FindComboList(1124)];
  EXPECT_EQ(cbdrt.items[4].value, 16);
  EXPECT_STREQ(cbdrt.items[4].text, "115200bps");
}

}  // namespace
}  // namespace cct
