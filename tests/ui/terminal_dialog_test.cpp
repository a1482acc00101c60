// The terminal on the simulated camera: the time-stamped list of all traffic,
// sending typed text raw, saving the list, the layout and hiding.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "res/templates/resource_ids.h"
#include "ui/service/terminal_dialog.h"

namespace cct {
namespace {

constexpr int kStampLength = 11;  // "mm:ss:mmm" and two blanks

// 10:04:07.008 UTC, as a clock five and a half hours east of it reads it.
QDateTime Stamped() {
  return QDateTime(QDate(2024, 3, 1), QTime(15, 34, 7, 8), Qt::OffsetFromUTC, 5 * 3600 + 1800);
}

// A pseudo-terminal linked into the port map as COM1: the test reads on its
// master side the bytes the program puts on the line.
class PtyPort {
 public:
  PtyPort() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ::grantpt(master_);
    ::unlockpt(master_);
    const std::string folder =
        qEnvironmentVariable("XDG_CONFIG_HOME").toStdString() + "/Ovreth/ports";
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(::ptsname(master_), folder + "/COM1");
  }
  ~PtyPort() { ::close(master_); }
  std::string Receive(size_t wanted) {
    std::string got;
    char buffer[64];
    for (pollfd p{master_, POLLIN, 0}; got.size() < wanted && ::poll(&p, 1, 1000) == 1;) {
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      got.append(buffer, static_cast<size_t>(n));
    }
    return got;
  }

 private:
  int master_ = -1;
};

class TerminalDialogTest : public test::CameraWindowTest {
 protected:
  CTerminalDialog& Terminal() const { return window->Terminal(); }
  QLineEdit* Field() const { return Terminal().Item<QLineEdit>(kIdcTermCommand); }
  QRect Place(int id) const { return Terminal().GetDlgItem(id)->geometry(); }
  void Click(int id) { Terminal().Item<QPushButton>(id)->click(); }
  const LogListModel& Lines() const { return Terminal().Lines(); }
  QString Text(int row) const { return Lines().Line(row).mid(kStampLength); }
  QByteArray FileText(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
  }
  QString LogFolder() {
    std::string folder;
    preferences.GetPath(kPrefCommandLogFilePath, folder);
    return QString::fromStdString(folder);
  }
};

TEST_F(TerminalDialogTest, ListsAllTrafficFromStartUpStampedNewestFirst) {
  Start();
  // The full read went on while the window was hidden.
  EXPECT_FALSE(Terminal().isVisible());
  ASSERT_EQ(Lines().Count(), Communication().Messages().Count());
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\d  Tx: MD\\?$")
                  .match(Lines().Line(Lines().Count() - 1))
                  .hasMatch());
  EXPECT_EQ(Text(Lines().Count() - 2), "Rx: MD=QX-2040L-RTN");
  EXPECT_EQ(Text(0), "Rx: MF=0");

  // UTC minute, second and millisecond; each byte one character.
  Terminal().SetTimeSource(Stamped);
  ui.LogTerminal("Rx: 5\xB5m");
  EXPECT_EQ(Lines().Line(0), QStringLiteral("04:07:008  Rx: 5\u00B5m"));
  Terminal().PrintLine(QString(300, 'x'));
  EXPECT_EQ(Lines().Line(0), "04:07:008  " + QString(255, 'x'));

  // 32786 lines, not 32768: the next one drops the oldest.
  Click(kIdcTermClear);
  EXPECT_EQ(Lines().Count(), 0);
  for (int i = 0; i <= CTerminalDialog::kLineCapacity; ++i) Terminal().AddLine(QString::number(i));
  EXPECT_EQ(Lines().Count(), 32786);
  EXPECT_EQ(Text(0), "32786");
  EXPECT_EQ(Text(32785), "1");
}

TEST_F(TerminalDialogTest, SendPutsTheFieldRawOnTheLineAndPollingListsTheAnswer) {
  Start();
  PtyPort port;
  ASSERT_TRUE(serial.Open(kModeComPort, 9600, 0));
  window->ShowTerminal();
  Field()->setText("GA?");
  Click(kIdcTermSend);
  EXPECT_EQ(port.Receive(5), "GA?\r\n");
  EXPECT_EQ(Text(0), "Tx: GA?");
  EXPECT_EQ(Communication().Messages().Line(0), "GA?");
  EXPECT_EQ(Field()->text(), "GA?");
  // Enter in the field sends once; an empty field sends the line end alone.
  QTest::keyClick(Field(), Qt::Key_Return);
  EXPECT_EQ(port.Receive(5), "GA?\r\n");
  Field()->clear();
  Click(kIdcTermSend);
  EXPECT_EQ(port.Receive(2), "\r\n");
  EXPECT_EQ(Text(0), "Tx: ");

  // The fixture's camera sits on the command layer's own line, not on the
  // pty: put the query there and let the polling read what it answers.
  cameraLine.Write("GA?\r\n");
  camera.OnPollTimer();
  EXPECT_EQ(Text(1), "Tx: GA?");
  EXPECT_EQ(Text(0), QString::fromStdString("Rx: GA=" + CameraValue("GA")));
  serial.Close();
}

TEST_F(TerminalDialogTest, APasteStaysOneLineWithSpacesForItsLineBreaks) {
  Start();
  window->ShowTerminal();
  const struct {
    const char* before;
    int cursor;
    const char* pasted;
    const char* after;
  } cases[] = {
      {"", 0, "GA?\r\nBL?", "GA? BL?"},
      {"", 0, "GA=100\r\n", "GA=100"},
      {"", 0, "\nGA?\n\n\rBL?\n", "GA? BL?"},
      {"AB", 1, "x\ny", "Ax yB"},
  };
  for (const auto& c : cases) {
    Field()->setText(c.before);
    Field()->setCursorPosition(c.cursor);
    QGuiApplication::clipboard()->setText(c.pasted);
    QTest::keyClick(Field(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Field()->text().toStdString(), c.after) << c.pasted;
  }
}

TEST_F(TerminalDialogTest, SaveWritesNewestFirstThenSaysSoAndAFailureKeepsTheOldFile) {
  Start();
  QTemporaryDir dir;
  const QString path = dir.path() + "/traffic.csv";
  Terminal().SetTimeSource(Stamped);
  Click(kIdcTermClear);
  ui.LogTerminal("Tx: GA?");
  ui.LogTerminal("Rx: GA=100");
  prompter.fileAnswers.push_back({kFileDialogOk, path});
  Click(kIdcTermSave);
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  const FileDialogRequest& request = prompter.fileDialogs[0];
  EXPECT_TRUE(request.save);
  EXPECT_FALSE(request.fileMustExist);
  EXPECT_EQ(request.defaultSuffix, "csv");
  ASSERT_EQ(request.filters.size(), 1u);
  EXPECT_EQ(request.filters[0].label, "CSV file (*.csv)");
  EXPECT_EQ(request.filters[0].pattern, "*.csv");
  EXPECT_EQ(FileText(path), "04:07:008  Rx: GA=100\r\n04:07:008  Tx: GA?\r\n");
  EXPECT_EQ(Text(0), "Writing file has been done !");
  EXPECT_EQ(LogFolder(), dir.path());

  // The temporary file's name would be too long for the folder: the old
  // file stays, and the folder is still remembered.
  ASSERT_TRUE(QDir(dir.path()).mkdir("long"));
  const QString stuck = dir.path() + "/long/" + QString(248, 'a') + ".csv";
  QFile old(stuck);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old\r\n") == 5);
  old.close();
  prompter.fileAnswers.push_back({kFileDialogOk, stuck});
  prompter.answers = {MsgResult::Yes};
  Click(kIdcTermSave);
  EXPECT_EQ(FileText(stuck), "old\r\n");
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].text, "File open error !");
  EXPECT_EQ(prompter.boxes[1].caption, "Camera Control Tool");
  EXPECT_EQ(prompter.boxes[1].icon, MsgIcon::Error);
  EXPECT_EQ(Lines().Count(), 3);
  EXPECT_EQ(LogFolder(), dir.path() + "/long");
}

TEST_F(TerminalDialogTest, ControlsFollowTheSizeDownToTheMinimum) {
  Start();
  window->ShowTerminal();
  // No menu bar and no margins: the client area is the whole window.
  Terminal().resize(600, 400);
  ASSERT_EQ(Terminal().Client()->size(), QSize(600, 400));
  EXPECT_EQ(Place(kIdcTermCommand), QRect(10, 10, 510, 20));
  EXPECT_EQ(Place(kIdcTermList), QRect(10, 42, 510, 338));
  EXPECT_EQ(Place(kIdcTermClose), QRect(530, 10, 60, 20));
  EXPECT_EQ(Place(kIdcTermSend), QRect(530, 34, 60, 20));
  EXPECT_EQ(Place(kIdcTermClear), QRect(530, 58, 60, 20));
  EXPECT_EQ(Place(kIdcTermSave), QRect(530, 82, 60, 20));
  EXPECT_EQ(Place(kIdcTerminalStatus), QRect(4, 388, 592, 8));

  Terminal().resize(20, 20);
  const QRect client = Terminal().Client()->rect();
  EXPECT_GE(client.width(), 200);
  EXPECT_GE(client.height(), 140);
  for (int id : {kIdcTermCommand, kIdcTermList, kIdcTermClose, kIdcTermSend, kIdcTermClear,
                 kIdcTermSave, kIdcTerminalStatus}) {
    EXPECT_TRUE(client.contains(Place(id))) << id;
    EXPECT_FALSE(Place(id).isEmpty()) << id;
  }
}

TEST_F(TerminalDialogTest, CloseEscapeAndTheCloseBoxOnlyHide) {
  Start();
  const std::function<void()> ways[] = {
      [this] { Click(kIdcTermClose); },
      [this] { QTest::keyClick(&Terminal(), Qt::Key_Escape); },
      [this] { Terminal().close(); },
  };
  for (const auto& hide : ways) {
    window->ShowTerminal();
    ASSERT_TRUE(Terminal().isVisible());
    Field()->setText("TI?");
    hide();
    EXPECT_FALSE(Terminal().isVisible());
  }
  // Hidden, it keeps its text and its list keeps growing.
  EXPECT_EQ(Field()->text(), "TI?");
  ui.LogTerminal("Rx: COMPLETE");
  EXPECT_EQ(Text(0), "Rx: COMPLETE");
}

}  // namespace
}  // namespace cct
