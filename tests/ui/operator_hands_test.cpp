// What the operator's keys and wheel do to the real windows with a camera on
// the line: Enter presses only a button the operator chose, and a wheel over
// a control the operator is not using changes nothing.
#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "res/templates/page_ids.h"
#include "res/templates/resource_ids.h"
#include "ui/kit/tab_control.h"
#include "ui/kit/up_down_control.h"
#include "ui/main/tab_sheet_dialog.h"
#include "ui/service/terminal_dialog.h"
#include "window_system.h"

namespace cct {
namespace {

using test::Lines;

class OperatorHandsTest : public test::CameraWindowTest {
 protected:
  // Only writes change the camera; the dialogs' own queries do not count.
  Lines Writes() const {
    Lines writes;
    for (const std::string& line : Sent()) {
      if (line.find('=') != std::string::npos) writes.push_back(line);
    }
    return writes;
  }
  // Runs a menu command that runs a modal dialog, and `act` inside it.
  void InModal(void (CCtrlToolDlg::*open)(), const std::function<void(TemplateDialog&)>& act) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TemplateDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      acted = true;
      QApplication::setActiveWindow(dialog);
      act(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    (window.get()->*open)();
    EXPECT_TRUE(acted);
  }
};

struct EnterCase {
  const char* what;
  void (CCtrlToolDlg::*open)();
  int clickFirst;  // a control clicked before, 0 for none
  int focus;
  Qt::KeyboardModifier keypad;
  Lines writes;  // what the camera receives
};

TEST_F(OperatorHandsTest, EnterPressesOnlyTheFocusedOrTheDefaultButton) {
  Start(kFactoryMode);
  const auto none = Qt::NoModifier;
  std::vector<EnterCase> cases = {
      {"device version 1, keypad",
       &CCtrlToolDlg::About,
       0,
       kIdcAboutDevVer1,
       Qt::KeypadModifier,
       {}},
      {"user ID", &CCtrlToolDlg::About, kIdcAboutEditUserId, kIdcAboutUserId, none, {}},
      {"help list", &CCtrlToolDlg::About, 0, kIdcAboutHelpList, none, {}},
      {"User Id dialog", &CCtrlToolDlg::EditUserId, 0, kIdcUserIdEdit, none, {}},
      {"Save Dev Ver focused",
       &CCtrlToolDlg::About,
       0,
       kIdcAboutSaveDevVer,
       none,
       {"DV00=1.2.0.5"}},
      {"Camera Id Save focused",
       &CCtrlToolDlg::EditCameraId,
       0,
       kIdcCameraIdSave,
       none,
       {"ULCK=5170392", "ID00=Q204012345"}},
  };
  for (int id : {kIdcAboutDevVer1, kIdcAboutDevVer2, kIdcAboutDevVer3, kIdcAboutDevVer4}) {
    cases.push_back({"device version part", &CCtrlToolDlg::About, 0, id, none, {}});
  }
  for (int id = kIdcCameraId1; id <= kIdcCameraId9; ++id) {
    cases.push_back({"camera ID character", &CCtrlToolDlg::EditCameraId, 0, id, none, {}});
  }
  cases.push_back(
      {"camera ID character", &CCtrlToolDlg::EditCameraId, 0, kIdcCameraId10, none, {}});

  for (const EnterCase& c : cases) {
    Mark();
    prompter.boxes.clear();
    bool ended = false;
    InModal(c.open, [&](TemplateDialog& dialog) {
      if (c.clickFirst) dialog.Item<QAbstractButton>(c.clickFirst)->click();
      QWidget* focus = dialog.GetDlgItem(c.focus);
      focus->setFocus();
      QTest::keyClick(focus, c.keypad ? Qt::Key_Enter : Qt::Key_Return, c.keypad);
      ended = !dialog.isVisible();
    });
    EXPECT_EQ(Writes(), c.writes) << c.what << " " << c.focus;
    if (c.writes.empty()) {
      EXPECT_TRUE(prompter.boxes.empty()) << c.what << " " << c.focus;
      EXPECT_TRUE(ended) << c.what << ": Enter ends the dialog as its close box";
    }
  }
}

TEST_F(OperatorHandsTest, EnterInTheAreaSelectionAndTheTerminalPressesTheirDefaultButton) {
  Start();
  window->realAreaDialog = true;
  InModal(&CCtrlToolDlg::StoreSettings, [](TemplateDialog& dialog) {
    QTest::keyClick(dialog.GetDlgItem(kIdcAreaSelectList), Qt::Key_Return);
  });
  EXPECT_EQ(Writes(), Lines{"SA=1"});
  Mark();
  InModal(&CCtrlToolDlg::StoreSettings, [](TemplateDialog& dialog) {
    dialog.GetDlgItem(kIdCancel)->setFocus();
    QTest::keyClick(dialog.GetDlgItem(kIdCancel), Qt::Key_Return);
  });
  EXPECT_EQ(Writes(), Lines{});

  CTerminalDialog& terminal = window->Terminal();
  window->ShowTerminal();
  QApplication::setActiveWindow(&terminal);
  QTest::keyClicks(terminal.GetDlgItem(kIdcTermCommand), "GA?");
  QTest::keyClick(terminal.GetDlgItem(kIdcTermCommand), Qt::Key_Return);
  EXPECT_TRUE(terminal.Lines().Line(0).endsWith("Tx: GA?"));
  // A focused button takes Enter from the default button.
  terminal.GetDlgItem(kIdcTermClear)->setFocus();
  QTest::keyClick(terminal.GetDlgItem(kIdcTermClear), Qt::Key_Return);
  EXPECT_EQ(terminal.Lines().Count(), 0);
}

TEST_F(OperatorHandsTest, AWheelOverAControlWithoutTheFocusChangesNothing) {
  Start();
  QApplication::setActiveWindow(window.get());
  auto* trigger = qobject_cast<QComboBox*>(window->FindControl(kIdcTriggerOrigin));
  auto* category = Communication().Item<QComboBox>(kIdcCommCategory);
  auto* spin = qobject_cast<UpDownControl*>(window->FindControl(kIdcGainLevelSpin));
  QTabBar* tabs = window->Tabs()->Bar();
  window->FindControl(kIdcGainLevel)->setFocus();
  const struct {
    QWidget* control;
    std::function<int()> state;
  } cases[] = {
      {trigger, [&] { return trigger->currentIndex(); }},
      {category, [&] { return category->currentIndex(); }},
      {spin, [&] { return spin->Pos(); }},
      {tabs, [&] { return tabs->currentIndex(); }},
  };
  for (const auto& c : cases) {
    const int before = c.state();
    test::WheelNotch(c.control);
    test::WheelNotch(c.control);
    EXPECT_EQ(c.state(), before) << c.control->metaObject()->className();
    EXPECT_FALSE(c.control->hasFocus());
  }
  EXPECT_EQ(Sent(), Lines{});
  EXPECT_TRUE(prompter.boxes.empty());

  // The combo the operator is using takes the wheel.
  trigger->setFocus();
  test::WheelNotch(trigger);
  EXPECT_EQ(Sent(), Lines{"TG=1"});
}

}  // namespace
}  // namespace cct
