// The camera setting file from the main window: "All Data", "Shipping Data"
// and "&Open", with the simulated camera on its line.
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "res/templates/page_ids.h"

namespace cct {
namespace {

using test::Lines;

const Lines kUserLines = {"TG",  "TI",  "TA",  "ARST", "EM",    "PE",  "LR",  "AL", "BI",
                          "HB",  "HBM", "BA",  "TAGM", "CLC",   "GA",  "ABG", "BL", "SDC",
                          "PGC", "PBC", "LUN", "GMA",  "TMPS0", "LS0", "SS",  "MF"};
const Lines kFactoryLines = {"GA4A00", "GA4B00", "GA8K00", "BL4A00", "BL4B00",
                             "BL8K00", "BYP0",   "GA00",   "PGC00",  "PBC00"};

class SettingFileOperationsTest : public test::CameraWindowTest {
 protected:
  QString PathOf(const char* name) const { return dir.path() + "/" + name; }
  void Choose(const QString& path) { prompter.fileAnswers.push_back({kFileDialogOk, path}); }
  // The file's lines, each checked for its CR LF end.
  Lines FileLines(const QString& path) const {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
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
  void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  QTemporaryDir dir;
};

TEST_F(SettingFileOperationsTest, AllDataInFactoryModeGoesToASecondCamera) {
  Camera().SetValue("GA", "200");
  Camera().SetValue("BL", "-20");
  Camera().SetValue("GA4A00", "77");
  Start(kFactoryMode);
  Choose(PathOf("all.cam"));
  window->SaveAllData();
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  EXPECT_TRUE(prompter.fileDialogs[0].save);
  EXPECT_FALSE(prompter.fileDialogs[0].fileMustExist);
  EXPECT_EQ(prompter.fileDialogs[0].defaultSuffix, "cam");

  const Lines lines = FileLines(PathOf("all.cam"));
  ASSERT_EQ(lines.size(), 2 + kUserLines.size() + kFactoryLines.size());
  EXPECT_EQ(lines[0], "MD00=QX-2040L-RTN");
  EXPECT_EQ(lines[1], "DV=1.2.0.5");
  Lines expected = {"MD00", "DV"};
  expected.insert(expected.end(), kUserLines.begin(), kUserLines.end());
  expected.insert(expected.end(), kFactoryLines.begin(), kFactoryLines.end());
  EXPECT_EQ(Mnemonics(lines), expected);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "BL=-20"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "GA4A00=77"), lines.end());
  std::string folder;
  preferences.GetPath(kPrefCameraFilePath, folder);
  EXPECT_EQ(QString::fromStdString(folder), dir.path());

  // A second camera takes the file, and the pages show it.
  line.engine = sim::CameraEngine();
  Mark();
  Choose(PathOf("all.cam"));
  window->OpenCameraFile();
  EXPECT_FALSE(prompter.fileDialogs.back().save);
  EXPECT_TRUE(prompter.fileDialogs.back().fileMustExist);
  EXPECT_EQ(Sent().front(), "MD00=QX-2040L-RTN");
  EXPECT_EQ(CameraValue("GA"), "200");
  EXPECT_EQ(CameraValue("GA4A00"), "77");
  EXPECT_EQ(PageText(kIdcGainLevel), "200");
  EXPECT_EQ(PageText(kIdcBlackLevel), "-20");
  EXPECT_EQ(parameters.GetPrevDataValue(kIdcGainLevel), 200);
  EXPECT_TRUE(prompter.boxes.empty()) << BoxTexts().join('|').toStdString();
}

TEST_F(SettingFileOperationsTest, AllDataInUserModeHasNoModelLineNorFactoryRows) {
  Start();
  Choose(PathOf("user.cam"));
  window->SaveAllData();
  Lines expected = {"DV"};
  expected.insert(expected.end(), kUserLines.begin(), kUserLines.end());
  EXPECT_EQ(Mnemonics(FileLines(PathOf("user.cam"))), expected);

  // Replacing needs a Yes; No leaves the file and the folder as they were.
  WriteFile(PathOf("old.cam"), "GA=1\r\n");
  Choose(PathOf("old.cam"));
  prompter.answers = {MsgResult::No};
  window->SaveAllData();
  EXPECT_EQ(FileLines(PathOf("old.cam")), Lines{"GA=1"});
}

TEST_F(SettingFileOperationsTest, NoFileOfDefaultsWithoutAReadOfTheCamera) {
  Camera().MutableOptions().silent = true;
  Start();
  window->SaveAllData();
  window->SaveShippingData();
  EXPECT_TRUE(prompter.fileDialogs.empty());
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[0].text,
            "The camera settings have not been read since the line was opened.\n"
            "No file was written.");
}

TEST_F(SettingFileOperationsTest, ShippingDataInUserModeTakesTheFactoryRowsFromTheCamera) {
  Camera().SetValue("GA8K00", "150");
  Start();
  Mark();
  Choose(PathOf("ship.cam"));
  window->SaveShippingData();
  Lines queries;
  for (const std::string& name : kFactoryLines) queries.push_back(name + "?");
  EXPECT_EQ(Sent(), queries);
  const Lines lines = FileLines(PathOf("ship.cam"));
  Lines expected = kUserLines;
  expected.insert(expected.end(), kFactoryLines.begin(), kFactoryLines.end());
  EXPECT_EQ(Mnemonics(lines), expected);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "GA8K00=150"), lines.end());
  // Only the file has them: the user-mode table keeps what it had.
  EXPECT_EQ(parameters.GetDataValue(kIdcFactoryGain8K), 50);

  // Reading that file in user mode skips the factory rows again.
  Mark();
  Choose(PathOf("ship.cam"));
  window->OpenCameraFile();
  EXPECT_EQ(Sent().size(), kUserLines.size());

  // When the camera does not give them, no file, and the old one stays.
  Camera().MutableOptions().refusedLines = {"BYP0?"};
  Choose(PathOf("ship.cam"));
  prompter.answers = {MsgResult::Yes};
  prompter.boxes.clear();
  window->SaveShippingData();
  EXPECT_EQ(Mnemonics(FileLines(PathOf("ship.cam"))), expected);
  EXPECT_EQ(BoxTexts().last(),
            "Couldn't read the factory settings from the camera.\nNo file was written.");
}

TEST_F(SettingFileOperationsTest, OpenedFileKeepsWhatTheCameraRefusedAndSaysHowMuch) {
  Start();
  WriteFile(PathOf("some.cam"), "GA = 300\r\nBL=5\r\nBL=abc\r\nEB=1\r\nEB=2\r\nMF=1\n");
  Camera().MutableOptions().refusedLines = {"BL=5"};
  bool othersDisabled = false;
  prompter.duringBox = [&] {
    if (prompter.boxes.size() == 1) othersDisabled = !Communication().isEnabled();
  };
  Choose(PathOf("some.cam"));
  window->OpenCameraFile();
  EXPECT_EQ(Sent(), (Lines{"GA=300", "BL=5", "MF=1"}));
  EXPECT_EQ(PageText(kIdcGainLevel), "300");
  EXPECT_EQ(PageText(kIdcBlackLevel), "0");  // the camera kept its value
  EXPECT_TRUE(othersDisabled);
  EXPECT_TRUE(Communication().isEnabled());
  // The refusal, EB's missing row once, then one word on the whole file.
  ASSERT_EQ(prompter.boxes.size(), 3u);
  EXPECT_EQ(prompter.boxes[0].caption, "Communication Error");
  EXPECT_NE(prompter.boxes[1].text.indexOf("ToCtrlId"), -1);
  EXPECT_EQ(prompter.boxes[2].text, "The camera did not accept 1 line(s) of this file.");
}

TEST_F(SettingFileOperationsTest, FilesThatCannotBeOpenedAreReported) {
  Start();
  Choose(PathOf("missing/all.cam"));
  window->SaveAllData();
  Choose(PathOf("nothing.cam"));
  window->OpenCameraFile();
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[0].text, PathOf("missing/all.cam") + "\nCouldn't open this file");
  EXPECT_EQ(prompter.boxes[0].caption, "File Open Error");
  EXPECT_EQ(prompter.boxes[1].text, PathOf("nothing.cam") + "\nCouldn't open this file");

  // A dialog that fails itself is reported with its code.
  prompter.fileAnswers.push_back({7, QString()});
  window->OpenCameraFile();
  EXPECT_EQ(prompter.boxes.back().text, "Error in Load Dialog! (Return-code = 7)");
  EXPECT_EQ(prompter.boxes.back().caption, "Load Error");
}

}  // namespace
}  // namespace cct
