// The camera setting file from the main window: "All Data", "Shipping Data"
// and "&Open", with the simulated camera on its line.
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "res/templates/page_ids.h"
#include "support/special_files.h"

namespace cct {
namespace {

using test::Lines;

const Lines kUserRows = {"TG",  "TI",  "TA",  "ARST", "EM",    "PE",  "LR",  "AL", "BI",
                         "HB",  "HBM", "BA",  "TAGM", "CLC",   "GA",  "ABG", "BL", "SDC",
                         "PGC", "PBC", "LUN", "GMA",  "TMPS0", "LS0", "SS",  "MF"};
const Lines kFactoryRows = {"GA4A00", "GA4B00", "GA8K00", "BL4A00", "BL4B00",
                            "BL8K00", "BYP0",   "GA00",   "PGC00",  "PBC00"};

Lines Join(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SettingFileOperationsTest : public test::CameraWindowTest {
 protected:
  QString PathOf(const char* name) const { return dir.path() + "/" + name; }
  void Choose(const char* name) { prompter.fileAnswers.push_back({kFileDialogOk, PathOf(name)}); }
  // The file's lines, each with its CR LF end.
  Lines FileLines(const char* name) const {
    QFile file(PathOf(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const std::string text = file.readAll().toStdString();
    Lines lines;
    size_t begin = 0;
    for (size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
      lines.push_back(text.substr(begin, end - begin));
    }
    EXPECT_EQ(begin, text.size()) << "a line without CR LF";
    return lines;
  }
  static Lines Mnemonics(const Lines& lines) {
    Lines names;
    for (const std::string& line : lines) names.push_back(line.substr(0, line.find('=')));
    return names;
  }
  QString PageText(int ctrlId) const {
    return qobject_cast<QLineEdit*>(window->FindControl(ctrlId))->text();
  }

  QTemporaryDir dir;
};

TEST_F(SettingFileOperationsTest, AllDataInFactoryModeGoesToASecondCamera) {
  Camera().SetValue("BL", "-20");
  Camera().SetValue("GA4A00", "77");
  Start(kFactoryMode);
  Choose("all.cam");
  window->SaveAllData();
  EXPECT_FALSE(prompter.fileDialogs.at(0).fileMustExist);
  EXPECT_EQ(prompter.fileDialogs.at(0).defaultSuffix, "cam");
  const Lines lines = FileLines("all.cam");
  EXPECT_EQ(Mnemonics(lines), Join(Join({"MD00", "DV"}, kUserRows), kFactoryRows));
  EXPECT_EQ(lines.at(0), "MD00=QX-2040L-RTN");
  EXPECT_EQ(lines.at(1), "DV=1.2.0.5");
  EXPECT_EQ(lines.at(2 + 16), "BL=-20");
  EXPECT_EQ(lines.at(2 + kUserRows.size()), "GA4A00=77");

  // A second camera takes the file, and the pages show it.
  cameraLine.engine = sim::CameraEngine();
  Choose("all.cam");
  window->OpenCameraFile();
  EXPECT_TRUE(prompter.fileDialogs.back().fileMustExist);
  EXPECT_EQ(CameraValue("BL"), "-20");
  EXPECT_EQ(CameraValue("GA4A00"), "77");
  EXPECT_EQ(PageText(kIdcBlackLevel), "-20");
  EXPECT_EQ(parameters.GetPrevDataValue(kIdcBlackLevel), -20);
  EXPECT_TRUE(prompter.boxes.empty()) << BoxTexts().join('|').toStdString();
}

TEST_F(SettingFileOperationsTest, AllDataInUserModeHasNoModelLineNorFactoryRows) {
  Start();
  Choose("user.cam");
  window->SaveAllData();
  EXPECT_EQ(Mnemonics(FileLines("user.cam")), Join({"DV"}, kUserRows));
  // Replacing needs a Yes.
  Camera().SetValue("GA", "300");
  window->FullRead();
  Choose("user.cam");
  prompter.answers = {MsgResult::No};
  window->SaveAllData();
  EXPECT_EQ(FileLines("user.cam").at(1 + 14), "GA=100");
}

TEST_F(SettingFileOperationsTest, NoFileOfDefaultsWithoutAReadOfTheCamera) {
  Camera().MutableOptions().silent = true;
  Start();
  window->SaveAllData();
  window->SaveShippingData();
  EXPECT_TRUE(prompter.fileDialogs.empty());
  EXPECT_EQ(BoxTexts(), QStringList(2,
                                    "The camera settings have not all been read since the line was "
                                    "opened.\nNo file was written."));
}

TEST_F(SettingFileOperationsTest, ShippingDataInUserModeTakesTheFactoryRowsFromTheCamera) {
  Camera().SetValue("GA8K00", "150");
  Start();
  Choose("ship.cam");
  window->SaveShippingData();
  Lines queries;
  for (const std::string& name : kFactoryRows) queries.push_back(name + "?");
  EXPECT_EQ(Sent(), queries);
  const Lines lines = FileLines("ship.cam");
  EXPECT_EQ(Mnemonics(lines), Join(kUserRows, kFactoryRows));
  EXPECT_EQ(lines.at(kUserRows.size() + 2), "GA8K00=150");
  // Only the file has them: the user-mode table keeps what it had.
  EXPECT_EQ(parameters.GetDataValue(kIdcFactoryGain8K), 50);

  // When the camera does not give them all, the old file stays.
  Camera().MutableOptions().refusedLines = {"BYP0?"};
  Camera().SetValue("GA8K00", "60");
  Choose("ship.cam");
  prompter.answers = {MsgResult::Yes};
  window->SaveShippingData();
  EXPECT_EQ(FileLines("ship.cam"), lines);
  EXPECT_EQ(BoxTexts().last(),
            "Couldn't read the factory settings from the camera.\nNo file was written.");
}

TEST_F(SettingFileOperationsTest, OpenedFileShowsWhatTheCameraAcceptedAndSaysHowMuch) {
  Start();
  QFile file(PathOf("some.cam"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("GA = 300\r\nBL=5\r\nMF=1\n");
  file.close();
  Camera().MutableOptions().refusedLines = {"BL=5"};
  bool othersDisabled = false;
  prompter.duringBox = [&] {
    if (prompter.boxes.size() == 1) othersDisabled = !Communication().isEnabled();
  };
  Choose("some.cam");
  window->OpenCameraFile();
  EXPECT_EQ(Sent(), (Lines{"GA=300", "BL=5", "MF=1"}));
  EXPECT_EQ(PageText(kIdcGainLevel), "300");
  EXPECT_EQ(PageText(kIdcBlackLevel), "0");  // the camera kept its value
  EXPECT_TRUE(othersDisabled);
  EXPECT_TRUE(Communication().isEnabled());
  // The camera's refusal, then one word on the whole file.
  EXPECT_EQ(BoxTexts(), (QStringList{"ERROR: not available",
                                     "The camera did not accept 1 line(s) of this file."}));
}

TEST_F(SettingFileOperationsTest, FilesThatCannotBeOpenedAreReported) {
  Start();
  Choose("missing/all.cam");
  window->SaveAllData();
  Choose("nothing.cam");
  window->OpenCameraFile();
  prompter.fileAnswers.push_back({7, QString()});
  window->OpenCameraFile();
  EXPECT_EQ(BoxTexts(), (QStringList{PathOf("missing/all.cam") + "\nCouldn't open this file",
                                     PathOf("nothing.cam") + "\nCouldn't open this file",
                                     "Error in Load Dialog! (Return-code = 7)"}));
  EXPECT_EQ(prompter.boxes[0].caption, "File Open Error");
  EXPECT_EQ(prompter.boxes[2].caption, "Load Error");
}

TEST_F(SettingFileOperationsTest, WhatIsNoFileIsRefusedWithoutHoldingUpTheWindow) {
  Start();
  const test::SpecialFiles special(dir.path().toStdString());
  QStringList expected;
  for (const std::string& path : special.All()) {
    expected << QString::fromStdString(path) + "\nCouldn't open this file\n" +
                    (path == special.huge
                         ? "It holds more than 4 MiB; no camera data file is that large."
                         : "It is a folder, a pipe or a device, not a file.");
    prompter.fileAnswers.push_back({kFileDialogOk, QString::fromStdString(path)});
    window->OpenCameraFile();  // a FIFO would wait here for a writer
  }
  EXPECT_EQ(BoxTexts(), expected);
  EXPECT_EQ(prompter.boxes.back().caption, "File Open Error");
  EXPECT_TRUE(Sent().empty());
}

}  // namespace
}  // namespace cct
