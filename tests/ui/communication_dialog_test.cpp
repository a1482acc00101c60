// The Communication dialog on the simulated camera: window start, the
// control-mode rules, the flash area controls and the message list.
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
#include "window_system.h"

namespace cct {
namespace {

using test::Lines;

class CommunicationDialogTest : public test::CameraWindowTest {
 protected:
  QComboBox* List(int id) const { return Communication().Item<QComboBox>(id); }
  QWidget* Control(int id) const { return Communication().GetDlgItem(id); }
  void Click(int id) { Communication().Item<QPushButton>(id)->click(); }
  void PickArea(int position) { test::Pick(Communication(), kIdcCommAreaList, position); }
  QString Label(int id) const { return Communication().Item<QLabel>(id)->text(); }
  QStringList OldestFirst() const {
    QStringList lines;
    const LogListModel& messages = Communication().Messages();
    for (int row = messages.Count() - 1; row >= 0; --row) lines << messages.Line(row);
    return lines;
  }
  QByteArray FileText(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
  }
};

TEST_F(CommunicationDialogTest, StoreShowsItsProgressWindowPaintedWhileTheCameraStores) {
  Start();
  Camera().MutableOptions().answerDelayMs["SA"] = 30000;
  ::testing::AssertionResult shown = ::testing::AssertionFailure() << "no store";
  cameraLine.onWrite = [&](const std::string& text) {
    if (text == "SA=1\r\n") shown = test::ShownAsPainted(ui.GetProgressBar().Window());
  };
  Click(kIdcCommStore);
  EXPECT_TRUE(shown);
  EXPECT_EQ(BoxTexts(), QStringList{"Completed to store current setting data!"});
}

TEST_F(CommunicationDialogTest, WindowStartShowsTheLineAndTheControlModeRules) {
  Start();
  EXPECT_TRUE(Communication().isVisible());
  EXPECT_EQ(List(kIdcCommCategory)->currentIndex(), kModeComPort);
  EXPECT_EQ(List(kIdcCommPortName)->count(), 16);
  EXPECT_EQ(List(kIdcCommPortName)->currentText(), "COM1");
  EXPECT_EQ(List(kIdcCommBaudRate)->currentText(), "9600bps");
  EXPECT_EQ(List(kIdcCommAreaList)->currentText(), "User 1 Data");
  EXPECT_EQ(Label(kIdcCommLineText), "Online");
  EXPECT_EQ(Communication().Item<PictureControl>(kIdcCommWriteFileIcon)->Bitmap(), kIdbDisk);
  // User mode: no baud rate choice, and Store into user areas only.
  EXPECT_TRUE(Control(kIdcCommBaudRate)->isHidden());
  EXPECT_FALSE(Control(kIdcCommBaudLabel)->isEnabled());
  EXPECT_TRUE(Control(kIdcCommStore)->isEnabled());
  PickArea(0);
  EXPECT_FALSE(Control(kIdcCommStore)->isEnabled());
  PickArea(2);
  EXPECT_TRUE(Control(kIdcCommStore)->isEnabled());
  PickArea(0);
  window->SwitchControlMode();
  EXPECT_FALSE(Control(kIdcCommBaudRate)->isHidden());
  EXPECT_TRUE(Control(kIdcCommStore)->isEnabled());
  ui.SetOnline(false);
  EXPECT_EQ(Label(kIdcCommLineText), "Offline");
}

TEST_F(CommunicationDialogTest, MessageListHoldsEveryLineNewestAtTheTop) {
  Start();
  // The full read: the probe, then each query followed by its answer.
  const QStringList lines = OldestFirst();
  ASSERT_EQ(lines.size(), 2 + 2 * 28);
  EXPECT_EQ(lines.mid(0, 4), (QStringList{"MD?", "MD=QX-2040L-RTN", "CBDRT?", "CBDRT=1"}));
  EXPECT_EQ(Communication().Messages().Line(0), "MF=0");
  Click(kIdcCommClearMessages);
  EXPECT_EQ(Communication().Messages().Count(), 0);
}

TEST_F(CommunicationDialogTest, AreaButtonsGetStoreAndLoadTheSelectedArea) {
  Start();
  Click(kIdcCommGetArea);
  EXPECT_EQ(Label(kIdcCommAreaText), "Factory Data");

  // Flash takes the camera half a minute; the store still completes.
  Camera().MutableOptions().answerDelayMs = {{"SA", 30000}};
  Camera().SetValue("GA", "700");
  PickArea(3);
  Mark();
  Click(kIdcCommStore);
  EXPECT_EQ(Sent(), (Lines{"SA=3"}));
  EXPECT_EQ(BoxTexts(), (QStringList{"Completed to store current setting data!"}));
  EXPECT_FALSE(ui.GetProgressBar().IsOpen());

  // A refused load reads nothing; a load reads every setting again.
  Camera().SetValue("GA", "100");
  Camera().MutableOptions().refusedLines = {"LD=1"};
  PickArea(1);
  Mark();
  Click(kIdcCommLoad);
  EXPECT_EQ(Sent(), (Lines{"LD=1"}));
  PickArea(3);
  Mark();
  Click(kIdcCommLoad);
  EXPECT_EQ(Sent().at(1), "MD?");
  EXPECT_EQ(parameters.GetDataValue(1041), 700);
  Click(kIdcCommGetArea);
  EXPECT_EQ(Label(kIdcCommAreaText), "User 3 Data");

  Camera().MutableOptions().silent = true;
  Click(kIdcCommGetArea);
  EXPECT_EQ(Label(kIdcCommAreaText), "Unkown");
  // No area selected: nothing is sent.
  List(kIdcCommAreaList)->setCurrentIndex(-1);
  Mark();
  Click(kIdcCommStore);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(BoxTexts().last(), "Selected invalid area !");
}

TEST_F(CommunicationDialogTest, MessagesAreSavedOldestFirstAndOnlyWhole) {
  Start();
  QTemporaryDir dir;
  const QString path = dir.path() + "/log.txt";
  Click(kIdcCommClearMessages);
  Communication().AddMessage("GA=100");
  Communication().AddMessage("COMPLETE");
  prompter.fileAnswers.push_back({kFileDialogOk, path});
  Click(kIdcCommSaveMessages);
  // A new file needs no existing one; the dialog starts in the working folder.
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  EXPECT_FALSE(prompter.fileDialogs[0].fileMustExist);
  EXPECT_EQ(prompter.fileDialogs[0].folder, QDir::currentPath());
  EXPECT_EQ(FileText(path), "GA=100\r\nCOMPLETE\r\n");
  EXPECT_EQ(Communication().Messages().Line(0), "Writing file has been done!");

  // Replacing it needs a Yes; a file that cannot be written is reported.
  prompter.fileAnswers = {{kFileDialogOk, path}, {kFileDialogOk, dir.path() + "/no/log.txt"}};
  prompter.answers = {MsgResult::No};
  Click(kIdcCommSaveMessages);
  Click(kIdcCommSaveMessages);
  EXPECT_EQ(FileText(path), "GA=100\r\nCOMPLETE\r\n");
  EXPECT_EQ(BoxTexts(), (QStringList{path + "\nThis file already exists.\nReplace existing file?",
                                     "File open error !"}));
  EXPECT_EQ(Communication().Messages().Count(), 3);

  // A flood of lines leaves the list full, and all of it is saved.
  for (int i = 0; i < 4200; ++i) Communication().AddMessage(QString(20, QChar('a' + i % 26)));
  prompter.fileAnswers = {{kFileDialogOk, dir.path() + "/full.txt"}};
  Click(kIdcCommSaveMessages);
  EXPECT_EQ(FileText(dir.path() + "/full.txt").count("\r\n"), 4096);
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

  test::Pick(Communication(), kIdcCommCategory, kModeCameraLink2000);
  EXPECT_EQ(BoxTexts(), (QStringList{"Failed to initialize!"}));
  ASSERT_EQ(List(kIdcCommPortName)->count(), 2);
  EXPECT_EQ(List(kIdcCommPortName)->itemText(0), "clserb.so");
  EXPECT_EQ(List(kIdcCommPortName)->currentIndex(), 0);
  EXPECT_EQ(serial.GetPortIndex(), 0);
  EXPECT_TRUE(serial.CameraLink2000().IsOpen());
}

}  // namespace
}  // namespace cct
