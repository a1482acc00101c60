// The Communication dialog on the simulated camera: window start, the
// control-mode rules, the flash area controls and the message list.
#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "res/templates/resource_ids.h"
#include "serial/camera_link_channel.h"
#include "support/scoped_env.h"
#include "ui/kit/picture_control.h"

namespace cct {
namespace {

using test::Lines;

class CommunicationDialogTest : public test::CameraWindowTest {
 protected:
  QComboBox* List(int id) const { return Communication().Item<QComboBox>(id); }
  QWidget* Control(int id) const { return Communication().GetDlgItem(id); }
  void Click(int id) { Communication().Item<QPushButton>(id)->click(); }
  QString AreaText() const { return Communication().Item<QLabel>(kIdcCommAreaText)->text(); }
  // The message list from the oldest entry up.
  QStringList OldestFirst() const {
    QStringList lines;
    const LogListModel& messages = Communication().Messages();
    for (int row = messages.Count() - 1; row >= 0; --row) lines << messages.Line(row);
    return lines;
  }
  FileDialogResult SaveAs(const QString& path) { return {kFileDialogOk, path}; }
};

TEST_F(CommunicationDialogTest, WindowStartShowsTheLineAndTheUserModeRules) {
  Start();
  CCommunicationDialog& dialog = Communication();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(List(kIdcCommCategory)->currentIndex(), kModeComPort);
  ASSERT_EQ(List(kIdcCommPortName)->count(), 16);
  EXPECT_EQ(List(kIdcCommPortName)->itemText(15), "COM16");
  EXPECT_EQ(List(kIdcCommPortName)->currentIndex(), 0);
  EXPECT_EQ(List(kIdcCommBaudRate)->currentText(), "9600bps");
  EXPECT_EQ(List(kIdcCommAreaList)->currentText(), "User 1 Data");
  // User mode: no baud rate choice, and Store only into user areas.
  EXPECT_TRUE(Control(kIdcCommBaudRate)->isHidden());
  EXPECT_FALSE(Control(kIdcCommBaudLabel)->isEnabled());
  EXPECT_TRUE(Control(kIdcCommStore)->isEnabled());
  test::Pick(dialog, kIdcCommAreaList, 0);
  EXPECT_FALSE(Control(kIdcCommStore)->isEnabled());
  test::Pick(dialog, kIdcCommAreaList, 2);
  EXPECT_TRUE(Control(kIdcCommStore)->isEnabled());
  test::Pick(dialog, kIdcCommAreaList, 0);

  // The factory mode switch of the main window applies the rules again.
  window->SwitchControlMode();
  EXPECT_FALSE(Control(kIdcCommBaudRate)->isHidden());
  EXPECT_TRUE(Control(kIdcCommStore)->isEnabled());

  // The file pictures and the line status are drawn.
  EXPECT_EQ(dialog.Item<PictureControl>(kIdcCommWriteFileIcon)->Bitmap(), kIdbDisk);
  EXPECT_EQ(dialog.Item<PictureControl>(kIdcCommReadFileIcon)->Bitmap(), kIdbFolder);
  EXPECT_EQ(dialog.Item<QLabel>(kIdcCommLineText)->text(), "Online");
  ui.SetOnline(false);
  EXPECT_EQ(dialog.Item<QLabel>(kIdcCommLineText)->text(), "Offline");
  EXPECT_EQ(dialog.Item<PictureControl>(kIdcCommLineIcon)->Bitmap(), kIdbOffline);
}

TEST_F(CommunicationDialogTest, MessageListHoldsTheStartUpTrafficNewestAtTheTop) {
  Start();
  const QStringList lines = OldestFirst();
  // The full read: the probe, then each query followed by its answer.
  ASSERT_EQ(lines.size(), 2 + 2 * 28);
  EXPECT_EQ(lines.mid(0, 4), (QStringList{"MD?", "MD=QX-2040L-RTN", "CBDRT?", "CBDRT=1"}));
  EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{"MF?", "MF=0"}));
  EXPECT_EQ(Communication().Messages().Line(0), "MF=0");

  // A full list drops its oldest line for each new one.
  for (int i = 0; i < CCommunicationDialog::kMessageCapacity; ++i) {
    Communication().AddMessage(QString::number(i));
  }
  EXPECT_EQ(Communication().Messages().Count(), CCommunicationDialog::kMessageCapacity);
  EXPECT_EQ(OldestFirst().first(), "0");
  Communication().AddMessage(QStringLiteral("newest"));
  EXPECT_EQ(OldestFirst().first(), "1");
  EXPECT_EQ(Communication().Messages().Line(0), "newest");
  Click(kIdcCommClearMessages);
  EXPECT_EQ(Communication().Messages().Count(), 0);
}

TEST_F(CommunicationDialogTest, GetAreaNamesTheAreaOrUnkown) {
  Start();
  Click(kIdcCommGetArea);
  EXPECT_EQ(AreaText(), "Factory Data");
  test::Pick(Communication(), kIdcCommAreaList, 1);
  Click(kIdcCommLoad);
  Click(kIdcCommGetArea);
  EXPECT_EQ(AreaText(), "User 1 Data");
  Camera().MutableOptions().silent = true;
  Click(kIdcCommGetArea);
  EXPECT_EQ(AreaText(), "Unkown");
}

TEST_F(CommunicationDialogTest, StoreSendsTheSelectedAreaAndWaitsForSlowFlash) {
  Start();
  // Flash takes the camera half a minute; the store still completes.
  Camera().MutableOptions().answerDelayMs = {{"SA", 30000}};
  test::Pick(Communication(), kIdcCommAreaList, 3);
  Click(kIdcCommStore);
  EXPECT_EQ(Sent(), (Lines{"SA=3"}));
  EXPECT_EQ(BoxTexts(), (QStringList{"Completed to store current setting data!"}));
  EXPECT_EQ(prompter.boxes.back().icon, MsgIcon::Information);
  EXPECT_FALSE(ui.GetProgressBar().IsOpen());

  // The factory area takes SA00 (factory mode), and a refusal says nothing more.
  window->SwitchControlMode();
  Camera().MutableOptions().refusedLines = {"SA00=0"};
  test::Pick(Communication(), kIdcCommAreaList, 0);
  Mark();
  prompter.boxes.clear();
  Click(kIdcCommStore);
  EXPECT_EQ(Sent(), (Lines{"SA00=0"}));
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].caption, "Communication Error");
}

TEST_F(CommunicationDialogTest, LoadReadsAllSettingsOnlyWhenTheCameraLoaded) {
  Start();
  Camera().SetValue("GA", "500");
  Camera().MutableOptions().refusedLines = {"LD=3"};
  test::Pick(Communication(), kIdcCommAreaList, 3);
  Click(kIdcCommLoad);
  EXPECT_EQ(Sent(), (Lines{"LD=3"}));

  // Area 2 holds what was stored there.
  Camera().SetValue("GA", "700");
  ASSERT_EQ(Camera().HandleLine("SA=2", 0), Lines{"COMPLETE"});
  Camera().SetValue("GA", "100");
  test::Pick(Communication(), kIdcCommAreaList, 2);
  Mark();
  Click(kIdcCommLoad);
  const Lines sent = Sent();
  ASSERT_GE(sent.size(), 30u);
  EXPECT_EQ(sent[0], "LD=2");
  EXPECT_EQ(sent[1], "MD?");
  EXPECT_EQ(parameters.GetDataValue(1041), 700);
}

TEST_F(CommunicationDialogTest, MessagesAreSavedOldestFirstAndOnlyWhole) {
  Start();
  Communication().Messages();
  QTemporaryDir dir;
  const QString path = dir.path() + "/log.txt";
  Click(kIdcCommClearMessages);
  Communication().AddMessage("GA=100");
  Communication().AddMessage("COMPLETE");
  prompter.fileAnswers.push_back(SaveAs(path));
  Click(kIdcCommSaveMessages);
  // A new file needs no existing one; the dialog starts in the working folder.
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  EXPECT_TRUE(prompter.fileDialogs[0].save);
  EXPECT_FALSE(prompter.fileDialogs[0].fileMustExist);
  EXPECT_EQ(prompter.fileDialogs[0].defaultSuffix, "txt");
  EXPECT_EQ(prompter.fileDialogs[0].folder, QDir::currentPath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "GA=100\r\nCOMPLETE\r\n");
  file.close();
  EXPECT_EQ(Communication().Messages().Line(0), "Writing file has been done!");
  std::string folder;
  preferences.GetPath(kPrefCommandLogFilePath, folder);
  EXPECT_EQ(QString::fromStdString(folder), dir.path());

  // Replacing it needs a Yes; No leaves it.
  Communication().AddMessage("more");
  prompter.fileAnswers.push_back(SaveAs(path));
  prompter.answers.push_back(MsgResult::No);
  Click(kIdcCommSaveMessages);
  EXPECT_EQ(prompter.boxes.back().text,
            path + "\nThis file already exists.\nReplace existing file?");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "GA=100\r\nCOMPLETE\r\n");
  file.close();

  // A file that cannot be written leaves the old one and says so.
  const QString locked = dir.path() + "/missing/log.txt";
  prompter.fileAnswers.push_back(SaveAs(locked));
  const int before = Communication().Messages().Count();
  Click(kIdcCommSaveMessages);
  EXPECT_EQ(prompter.boxes.back().text, "File open error !");
  EXPECT_EQ(prompter.boxes.back().icon, MsgIcon::Error);
  EXPECT_EQ(Communication().Messages().Count(), before);
}

TEST_F(CommunicationDialogTest, CategoryChangeListsPrintableNamesAndFallsBackToTheFirstPort) {
  // Two grabber libraries, one with a name no library should give.
  QTemporaryDir folder;
  const QString library = QStringLiteral(FAKE_CL_2000_DIR "/libclserfake.so");
  ASSERT_TRUE(QFile::link(library, folder.path() + "/clser\x01"
                                                   "b.so"));
  ASSERT_TRUE(QFile::link(library, folder.path() + "/clsera.so"));
  test::ScopedEnv path("CLSERIALPATH", folder.path().toStdString());
  // Mode 1's stored port is beyond what this machine lists.
  serial.Open(kModeCameraLink2000, 9600, 5);
  serial.SetMode(kModeComPort);
  Start();
  prompter.boxes.clear();

  test::Pick(Communication(), kIdcCommCategory, kModeCameraLink2000);
  EXPECT_EQ(BoxTexts(), (QStringList{"Failed to initialize!"}));
  QStringList names;
  for (int i = 0; i < List(kIdcCommPortName)->count(); ++i) {
    names << List(kIdcCommPortName)->itemText(i);
  }
  EXPECT_EQ(names, (QStringList{"clserb.so", "clsera.so"}));
  EXPECT_EQ(List(kIdcCommPortName)->currentIndex(), 0);
  EXPECT_EQ(serial.GetMode(), kModeCameraLink2000);
  EXPECT_EQ(serial.GetPortIndex(), 0);
  EXPECT_TRUE(serial.CameraLink2000().IsOpen());
}

TEST_F(CommunicationDialogTest, InvalidAreaSendsNothing) {
  Start();
  List(kIdcCommAreaList)->setCurrentIndex(-1);
  Click(kIdcCommLoad);
  List(kIdcCommAreaList)->setCurrentIndex(-1);
  Click(kIdcCommStore);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(BoxTexts(), (QStringList{"Selected invalid area !", "Selected invalid area !"}));
}

}  // namespace
}  // namespace cct
