// The program's own window, made as the program makes it, on the program's
// single objects and a simulated camera on a pseudo-terminal: the LUT written
// entry by entry, the terminal, the camera reset that ends the run, and a
// FIFO chosen as a setting file.
#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

#include "app/composition_root.h"
#include "app/preference_store.h"
#include "app/shutdown_signals.h"
#include "lut/lut_curve.h"
#include "protocol/shutdown_request.h"
#include "res/templates/resource_ids.h"
#include "sim/pty_camera.h"
#include "support/special_files.h"
#include "ui/kit/event_pump.h"
#include "ui/lut/lut_dlg.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/program_window.h"
#include "ui/service/communication_dialog.h"
#include "ui/service/terminal_dialog.h"
#include "ui_fixture.h"

namespace cct {
namespace {

using Lines = std::vector<std::string>;

class ProgramFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgramTiming();
    // Shorter waits, same steps: the camera answers at once anyway.
    ProgramTiming().answerPollMs = 2;
    ProgramTiming().progressHoldMs = 20;
    ASSERT_TRUE(camera.Start());
    root = std::make_unique<CompositionRoot>(ui);
    window = MakeProgramWindow(ui);
    ASSERT_TRUE(window->Create());
  }
  void TearDown() override {
    window.reset();
    root.reset();
    ProgramTiming() = saved_;
    ClearShutdownRequest();  // a test may end the run by a signal
  }
  Lines Heard() const { return camera.ReceivedLines(); }
  bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
      if (waited.elapsed() > 5000) return false;
      HoldFor(10);
    }
    return true;
  }
  static sim::PtyOptions OnCom1() {
    sim::PtyOptions options;
    options.portName = "COM1";
    options.pace = false;
    return options;
  }

  test::UiTempConfig config;  // first: the port map and settings live in it
  test::ScriptedPrompter prompter;
  Timing uiTiming = test::ShortTiming();
  UiHost ui{uiTiming, &prompter};
  sim::PtyCamera camera{OnCom1()};
  std::unique_ptr<CompositionRoot> root;
  std::unique_ptr<CCtrlToolDlg> window;

 private:
  Timing saved_;
};

TEST_F(ProgramFlowTest, AFreshLutGoesToTheCameraEntryByEntry) {
  ASSERT_EQ(Heard().at(0), "MD?");  // found at start-up on COM1
  const size_t before = Heard().size();
  window->LutEditor(1).OnWriteTableData();
  const Lines heard = Heard();
  ASSERT_EQ(heard.size() - before, 512u);
  EXPECT_EQ(heard[before], "LUTI=0");
  EXPECT_EQ(heard[before + 3], "LUTD=16");
  EXPECT_EQ(heard.back(), "LUTD=4095");
  const LutTable written = DeriveLutTable(LutEditPoints());
  camera.WithEngine([&](sim::CameraEngine& engine) {
    for (int k : {0, 100, 255}) {
      std::string level;
      engine.SetValue("LUTI", std::to_string(k));
      engine.GetValue("LUTD", level);
      EXPECT_EQ(level, std::to_string(written[k])) << k;
    }
  });
}

TEST_F(ProgramFlowTest, TheTerminalSendsAsTypedAndListsTheAnswer) {
  CTerminalDialog& terminal = window->Terminal();
  terminal.Item<QLineEdit>(kIdcTermCommand)->setText("GA?");
  terminal.Send();
  // The answer comes in through the polling timer, between exchanges.
  ASSERT_TRUE(WaitFor([&] { return terminal.Lines().Line(0).endsWith("Rx: GA=100"); }));
  EXPECT_TRUE(terminal.Lines().Line(1).endsWith("  Tx: GA?"));
  EXPECT_EQ(window->Communication().Messages().Line(1), "GA?");
}

TEST_F(ProgramFlowTest, CameraResetEndsTheRunWithoutAskingAndAsANormalEnd) {
  window->ResetCamera();
  EXPECT_TRUE(WaitFor([&] { return Heard().back() == "CRS00=1"; }));
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(prompter.boxes.empty());
  window.reset();
  root.reset();  // the single objects go: the preferences and the marker are written
  QSettings stored(QSettings::NativeFormat, QSettings::UserScope, kSettingsOrganisation,
                   kSettingsApplication);
  EXPECT_EQ(stored.value("Previous Application Shutdown Status").toInt(), 1);
  EXPECT_EQ(stored.value("Communication Mode").toInt(), 0);
}

TEST_F(ProgramFlowTest, AFifoToOpenLeavesTheMenusAnsweringAndOneSignalEndsTheRun) {
  QTemporaryDir dir;
  const test::SpecialFiles special(dir.path().toStdString());
  const QString gain = dir.path() + "/gain.cam";
  std::ofstream(gain.toStdString()) << "GA=300\r\n";
  prompter.fileAnswers = {{kFileDialogOk, QString::fromStdString(special.fifo)},
                          {kFileDialogOk, gain}};
  QAction* open = window->MenuBar()->actions().at(0)->menu()->actions().at(0);
  ASSERT_EQ(open->text(), "&Open");
  // As the program ends on a signal.
  ShutdownSignals endOnSignal([this](int) { window->done(QDialog::Rejected); });
  QElapsedTimer took;
  QTimer::singleShot(0, [&] {
    took.start();
    open->trigger();  // the FIFO: refused
    open->trigger();  // a setting file: applied
    std::raise(SIGTERM);
  });
  window->exec();
  EXPECT_LT(took.elapsed(), 6000);
  EXPECT_TRUE(prompter.boxes.at(0).text.startsWith(QString::fromStdString(special.fifo)));
  EXPECT_EQ(Heard().back(), "GA=300");
}

}  // namespace
}  // namespace cct
