#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "res/templates/menu_template.h"
#include "res/templates/resource_ids.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/tab_control.h"
#include "ui/lut/lut_dlg.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/tab_sheet_dialog.h"
#include "ui/service/communication_dialog.h"
#include "ui/service/terminal_dialog.h"
#include "ui_fixture.h"

namespace cct {
namespace {

// The main window with its later parts' entry points counted.
class CountingDlg : public CCtrlToolDlg {
 public:
  using CCtrlToolDlg::CCtrlToolDlg;
  void FullRead() override { ++fullReads; }
  void ConnectAtStartUp() override { ++connections; }
  int fullReads = 0;
  int connections = 0;
};

struct RecordingDispatcher : ControlDispatcher {
  void Dispatch(ControlEvent& event) override { events.emplace_back(event.ctrlId, event.code); }
  std::vector<std::pair<int, ControlEventCode>> events;
};

class CtrlToolDlgTest : public test::UiTest {
 protected:
  CountingDlg& Open() {
    dlg = std::make_unique<CountingDlg>(Context());
    EXPECT_TRUE(dlg->Create());
    dlg->show();
    dlg->SetDispatcher(&dispatcher);
    return *dlg;
  }
  QStringList TabTexts() const {
    QStringList texts;
    for (int i = 0; i < dlg->Tabs()->GetItemCount(); ++i) texts << dlg->Tabs()->GetItemText(i);
    return texts;
  }
  std::vector<bool> PagesShown() const {
    std::vector<bool> shown;
    for (int p = 0; p < CCtrlToolDlg::kPageCount; ++p) shown.push_back(dlg->Page(p).isVisible());
    return shown;
  }
  // Shift+Ctrl+F12, then the given letters, typed as the window system
  // delivers keys: to the native window, which hands them to its focus.
  void Type(const std::vector<int>& letters, bool arm = true) {
    QWindow* window = dlg->windowHandle();
    if (arm) QTest::keyClick(window, Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
    for (int key : letters) QTest::keyClick(window, static_cast<Qt::Key>(key));
  }
  // The same on the tab row, which passes every letter on to its parents.
  void TypeOnTabRow(const std::vector<int>& letters) {
    QWidget* row = dlg->Tabs()->Bar();
    QTest::keyClick(row, Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
    for (int key : letters) QTest::keyClick(row, static_cast<Qt::Key>(key));
  }
  std::vector<int> Code() const {
    const auto code = FactoryKeySequence::AccessCode();
    return {code.begin(), code.end()};
  }
  void CameraTellsArea(int area) { line.Answer("EA?\r\n", "EA=" + std::to_string(area) + "\r\n"); }

  RecordingDispatcher dispatcher;
  std::unique_ptr<CountingDlg> dlg;
};

TEST_F(CtrlToolDlgTest, StartsInUserModeWithTitleTabsAndGreyedUtility) {
  CountingDlg& w = Open();
  EXPECT_EQ(w.windowTitle(), "QX-2080-RTN Control Tool  Ver 0.21");
  EXPECT_EQ(TabTexts(), (QStringList{"User A", "User B"}));
  EXPECT_EQ(w.Tabs()->GetCurSel(), 0);
  EXPECT_EQ(PagesShown(), (std::vector<bool>{true, false, false}));
  ASSERT_NE(w.UtilityMenu(), nullptr);
  EXPECT_EQ(w.UtilityMenu()->text(), "Utility(&U)");
  EXPECT_FALSE(w.UtilityMenu()->isEnabled());
  EXPECT_EQ(w.connections, 1);
  // A long operation disables and re-enables every window; the menu stays grey.
  ui.GetRegistry().DisableAll();
  ui.GetRegistry().EnableAll();
  EXPECT_FALSE(w.UtilityMenu()->isEnabled());

  QStringList menus;
  for (QAction* menu : w.MenuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, (QStringList{"File(&F)", "Settings(&S)", "Utility(&U)", "LUT(&L)", "Help(&H)"}));

  // Choosing a tab shows its page only.
  w.Tabs()->Bar()->setCurrentIndex(1);
  EXPECT_EQ(PagesShown(), (std::vector<bool>{false, true, false}));
}

TEST_F(CtrlToolDlgTest, StartsInFactoryModeWhenStoredSo) {
  controlMode.SetControlMode(kFactoryMode);
  CountingDlg& w = Open();
  EXPECT_EQ(TabTexts(), (QStringList{"User A", "User B", "Factory A"}));
  EXPECT_TRUE(w.UtilityMenu()->isEnabled());
}

TEST_F(CtrlToolDlgTest, KeySequenceSwitchesModeBothWays) {
  CountingDlg& w = Open();
  w.Tabs()->Bar()->setCurrentIndex(1);
  CameraTellsArea(2);

  Type(Code());
  EXPECT_EQ(controlMode.GetControlMode(), kFactoryMode);
  EXPECT_EQ(TabTexts(), (QStringList{"User A", "User B", "Factory A"}));
  EXPECT_EQ(w.Tabs()->GetCurSel(), 0);
  EXPECT_EQ(PagesShown(), (std::vector<bool>{true, false, false}));
  EXPECT_TRUE(w.UtilityMenu()->isEnabled());
  EXPECT_EQ(w.fullReads, 1);      // the camera answered "EA"
  EXPECT_EQ(w.CurrentArea(), 0);  // the answer is not kept

  line.Answer("EA?\r\n", "");  // silent camera: no full read
  Type(Code());
  EXPECT_EQ(controlMode.GetControlMode(), kUserMode);
  EXPECT_EQ(TabTexts(), (QStringList{"User A", "User B"}));
  EXPECT_EQ(PagesShown(), (std::vector<bool>{true, false, false}));
  EXPECT_FALSE(w.UtilityMenu()->isEnabled());
  EXPECT_EQ(w.fullReads, 1);
  EXPECT_FALSE(ui.GetIndicator().IsOnline());
}

TEST_F(CtrlToolDlgTest, AWrongLetterDisarmsTheSequence) {
  CountingDlg& w = Open();
  const std::vector<int> code = Code();
  const int wrong = code[1] == Qt::Key_Q ? Qt::Key_Z : Qt::Key_Q;

  Type({code[0], wrong, code[1], code[2]});
  EXPECT_FALSE(w.KeySequence().IsArmed());
  Type({code[0], code[1], code[2]}, false);  // the letters alone do nothing
  Type({code[0], code[1], Qt::Key_F1});      // wrong at the last letter
  EXPECT_EQ(controlMode.GetControlMode(), kUserMode);

  // Shift+Ctrl+F12 again starts over at the first letter.
  Type({code[0], code[1]});
  Type(code);
  EXPECT_EQ(controlMode.GetControlMode(), kFactoryMode);

  // Each letter counts once, though the tab row passes it on to its parents.
  TypeOnTabRow({code[0], code[0], code[1], code[2]});
  EXPECT_EQ(controlMode.GetControlMode(), kFactoryMode);
  TypeOnTabRow(code);
  EXPECT_EQ(controlMode.GetControlMode(), kUserMode);
}

TEST_F(CtrlToolDlgTest, EnterInAnEditCommitsWithoutClosing) {
  CountingDlg& w = Open();
  auto* edit = new QLineEdit(&w.Page(0));
  SetControlId(edit, 1187);
  auto* button = new QPushButton("One-push", &w.Page(0));
  SetControlId(button, 1191);
  w.Page(0).WireControl(button);
  edit->show();
  button->show();

  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClick(edit, Qt::Key_Escape);
  QTest::keyClick(button, Qt::Key_Enter);
  QTest::keyClick(button, Qt::Key_Escape);
  EXPECT_EQ(dispatcher.events,
            (std::vector<std::pair<int, ControlEventCode>>{{1187, ControlEventCode::Return}}));
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_TRUE(w.isVisible());

  // Escape anywhere else is the close request.
  QTest::keyClick(w.Tabs()->Bar(), Qt::Key_Escape);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_TRUE(w.isVisible());  // answered No
}

TEST_F(CtrlToolDlgTest, EscapeInADroppedListTakesTheHighlightedItem) {
  CountingDlg& w = Open();
  auto* combo = new QComboBox(&w.Page(0));
  combo->addItems({"Internal", "External", "Auto"});
  SetControlId(combo, 1096);
  w.Page(0).WireControl(combo);
  combo->show();

  QTest::keyClick(combo, Qt::Key_Return);  // closed list: nothing happens
  combo->showPopup();
  ASSERT_TRUE(combo->view()->isVisible());
  combo->view()->setCurrentIndex(combo->model()->index(2, 0));
  QTest::keyClick(combo->view(), Qt::Key_Escape);
  EXPECT_FALSE(combo->view()->isVisible());
  EXPECT_EQ(combo->currentIndex(), 2);
  EXPECT_EQ(dispatcher.events,
            (std::vector<std::pair<int, ControlEventCode>>{{1096, ControlEventCode::SelChange}}));
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(CtrlToolDlgTest, CloseAsksAndOnlyYesCloses) {
  CountingDlg& w = Open();
  QSignalSpy finished(&w, &QDialog::finished);
  w.OnCommand(kIdCancel);  // "E&xit"
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "Are you sure to terminate the Camera Control Tool ?");
  EXPECT_EQ(prompter.boxes[0].caption, "Confirm");
  EXPECT_EQ(prompter.boxes[0].icon, MsgIcon::Question);
  EXPECT_EQ(prompter.boxes[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(finished.count(), 0);

  prompter.answers = {MsgResult::Yes};
  w.close();  // the window's close box
  EXPECT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(CtrlToolDlgTest, AfterACameraResetTheWindowClosesWithoutAsking) {
  CountingDlg& w = Open();
  w.SetClosingAfterReset();
  w.reject();
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(w.isVisible());
}

TEST_F(CtrlToolDlgTest, ReloadTakesTheAreaWhenTheCameraTellsIt) {
  CountingDlg& w = Open();
  CameraTellsArea(3);
  w.OnCommand(kCmdReload);
  EXPECT_EQ(w.CurrentArea(), 3);
  line.Answer("EA?\r\n", "");
  w.OnCommand(kCmdReload);  // no answer: the area stays, the read runs anyway
  EXPECT_EQ(w.CurrentArea(), 3);
  EXPECT_EQ(w.fullReads, 2);
}

TEST_F(CtrlToolDlgTest, FindsControlsOnThePagesFirst) {
  CountingDlg& w = Open();
  auto* onFactoryPage = new QLineEdit(&w.Page(2));
  SetControlId(onFactoryPage, kIdcMainStatus);  // same id as the main window's strip
  auto* onUserB = new QLineEdit(&w.Page(1));
  SetControlId(onUserB, 1399);
  EXPECT_EQ(w.FindControl(kIdcMainStatus), onFactoryPage);
  EXPECT_EQ(w.FindControl(1399), onUserB);
  EXPECT_EQ(w.FindControl(kIdcMainTab), w.Tabs());
  EXPECT_EQ(w.FindControl(4711), nullptr);
}

TEST_F(CtrlToolDlgTest, CompanionWindowsComeWithTheMainWindowAndGoWithIt) {
  ui.SetOnline(true);  // a window opened while online shows online at once
  CountingDlg& w = Open();
  EXPECT_EQ(w.Communication().windowTitle(), "Communication");
  EXPECT_TRUE(w.Communication().isVisible());
  EXPECT_EQ(w.Terminal().windowTitle(), "RS-232C TERMINAL");
  EXPECT_FALSE(w.Terminal().isVisible());
  const char* captions[] = {"LUT Setting for Red", "LUT Setting for Green", "LUT Setting for Blue"};
  for (int colour = 0; colour < 3; ++colour) {
    EXPECT_EQ(w.LutEditor(colour).windowTitle(), captions[colour]);
    EXPECT_FALSE(w.LutEditor(colour).isVisible());
  }
  EXPECT_EQ(w.LutEditor(1).pos() - w.LutEditor(0).pos(), QPoint(50, 50));
  EXPECT_EQ(w.LutEditor(2).pos() - w.LutEditor(0).pos(), QPoint(100, 100));

  // Main window first, then the Communication dialog, Terminal, LUT editors.
  EXPECT_EQ(ui.GetIndicator().Count(), 6);
  EXPECT_EQ(ui.GetIndicator().Updaters().front(), static_cast<COnlineStatusUpdater*>(&w));
  EXPECT_EQ(ui.GetRegistry().Count(), 6);
  EXPECT_EQ(w.StatusStrip()->Bitmap(), kIdbOnline);
  EXPECT_EQ(w.Communication().StatusStrip()->Bitmap(), kIdbOnline);

  ui.SetOnline(false);
  EXPECT_EQ(w.LutEditor(2).StatusStrip()->Bitmap(), kIdbOffline);
  EXPECT_EQ(w.Communication().Item<QLabel>(kIdcCommLineText)->text(), "Offline");

  {
    // As a full read does: every window disabled, also the hidden ones.
    DisabledDialogs during(ui.GetRegistry());
    EXPECT_FALSE(w.isEnabled());
    EXPECT_FALSE(w.Communication().isEnabled());
    EXPECT_FALSE(w.LutEditor(2).isEnabled());
  }
  EXPECT_TRUE(w.Terminal().isEnabled());
  EXPECT_TRUE(w.Communication().isEnabled());

  w.ShowTerminal();
  EXPECT_TRUE(w.Terminal().isVisible());
  w.Communication().hide();
  w.OnCommand(kCmdOpenCommunication);
  EXPECT_TRUE(w.Communication().isVisible());

  dlg.reset();
  EXPECT_EQ(ui.GetIndicator().Count(), 0);
  EXPECT_EQ(ui.GetRegistry().Count(), 0);
  ui.SetOnline(true);  // reaches nothing that is gone
}

TEST_F(CtrlToolDlgTest, LoadAllLutTablesDisablesTheWindowMeanwhile) {
  struct Dlg : CountingDlg {
    using CountingDlg::CountingDlg;
    bool LoadAllTables() override {
      enabledDuring = isEnabled();
      return true;
    }
    bool enabledDuring = true;
  };
  auto w = std::make_unique<Dlg>(Context());
  ASSERT_TRUE(w->Create());
  w->OnCommand(kCmdLoadAllLutTables);
  EXPECT_FALSE(w->enabledDuring);
  EXPECT_TRUE(w->isEnabled());
}

}  // namespace
}  // namespace cct
