#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <sys/eventfd.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <vector>

#include "res/templates/resource_ids.h"
#include "ui/kit/control_events.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_builder.h"
#include "ui/kit/event_pump.h"
#include "ui/kit/key_pretranslator.h"
#include "ui/kit/menu_builder.h"
#include "ui/kit/pictures.h"
#include "ui/kit/qt_polling_timer.h"
#include "ui/kit/quiet_setters.h"
#include "ui/kit/tab_control.h"
#include "ui/kit/template_dialog.h"
#include "ui/kit/up_down_control.h"

namespace cct {
namespace {

using namespace ctl;

constexpr const char* kItems[] = {"Off", "On", "Auto"};

// One control of each class the binding tells apart, and a few it does not.
constexpr ControlTemplate kControls[] = {
    {10, ControlKind::GroupBox, "Group", 2, 2, 120, 80, kVisible},
    {11, ControlKind::Edit, "", 10, 10, 40, 14, kVisible | kTabStop},
    {12, ControlKind::UpDown, "", 50, 10, 10, 14,
     kVisible | kAutoBuddy | kSetBuddyInt | kArrowKeys | kAlignRight},
    {13, ControlKind::ComboBox, "", 10, 30, 60, 60, kVisible | kTabStop, 0, kItems},
    {14, ControlKind::PushButton, "Read", 80, 30, 30, 14, kVisible | kTabStop},
    {15, ControlKind::CheckBox, "Check", 10, 50, 40, 10, kVisible | kTabStop},
    {16, ControlKind::RadioButton, "A", 10, 62, 20, 10, kVisible | kGroup},
    {17, ControlKind::RadioButton, "B", 30, 62, 20, 10, kVisible},
    {18, ControlKind::Static, "hidden", 60, 62, 40, 8, 0},
    {19, ControlKind::PushButton, "Off", 80, 50, 30, 14, kVisible | kDisabled},
};
constexpr DialogTemplate kTemplate = {900, "Test", 130, 90, dlg::kChild, kControls};

struct Built {
  Built() : units(6, 13) { BuildControls(&dialog, kTemplate, units); }
  template <typename T>
  T* Get(int id) {
    return qobject_cast<T*>(FindDlgItem(&dialog, id));
  }
  QWidget dialog;
  DialogUnits units;
};

TEST(DialogUnitsTest, MapsBothEdgesSoNeighboursStayNeighbours) {
  const DialogUnits units(6, 13);
  // The main window's status strip: 2,270,571,5 in dialog units.
  EXPECT_EQ(units.Rect(2, 270, 571, 5), QRect(3, 439, 857, 8));
  // Two rectangles that touch in dialog units touch in pixels.
  EXPECT_EQ(units.Rect(0, 0, 7, 7).right() + 1, units.Rect(7, 7, 7, 7).left());
  EXPECT_EQ(units.Rect(0, 0, 7, 7).bottom() + 1, units.Rect(7, 7, 7, 7).top());
}

TEST(DialogBuilderTest, ControlsCarryIdsClassesAndStyles) {
  Built b;
  EXPECT_EQ(ClassOf(b.Get<QWidget>(11)), ControlClass::Edit);
  EXPECT_EQ(ClassOf(b.Get<QWidget>(12)), ControlClass::Spin);
  EXPECT_EQ(ClassOf(b.Get<QWidget>(13)), ControlClass::ComboBox);
  EXPECT_EQ(ClassOf(b.Get<QWidget>(14)), ControlClass::PushButton);
  EXPECT_EQ(ClassOf(b.Get<QWidget>(15)), ControlClass::CheckBox);
  EXPECT_EQ(ClassOf(b.Get<QWidget>(16)), ControlClass::RadioButton);
  EXPECT_EQ(ClassOf(b.Get<QWidget>(10)), ControlClass::None);
  EXPECT_EQ(ClassOf(b.Get<QWidget>(18)), ControlClass::None);
  EXPECT_EQ(FindDlgItem(&b.dialog, 999), nullptr);
  EXPECT_EQ(ControlId(b.Get<QWidget>(13)), 13);

  b.dialog.show();
  EXPECT_FALSE(b.Get<QLabel>(18)->isVisible());
  EXPECT_TRUE(b.Get<QLineEdit>(11)->isVisible());
  EXPECT_FALSE(b.Get<QPushButton>(19)->isEnabled());
  EXPECT_EQ(b.Get<QComboBox>(13)->count(), 3);
  EXPECT_EQ(b.Get<QComboBox>(13)->currentIndex(), -1);

  // The auto-buddy up-down takes the edit before it and sits at its right
  // edge, inside the edit's template rectangle.
  auto* spin = b.Get<UpDownControl>(12);
  auto* edit = b.Get<QLineEdit>(11);
  EXPECT_EQ(spin->Buddy(), edit);
  EXPECT_EQ(spin->geometry().left(), edit->geometry().right() + 1);
  EXPECT_EQ(spin->geometry().right(), b.units.Rect(10, 10, 40, 14).right());

  // Radio buttons of one group exclude each other.
  b.Get<QRadioButton>(16)->setChecked(true);
  b.Get<QRadioButton>(17)->setChecked(true);
  EXPECT_FALSE(b.Get<QRadioButton>(16)->isChecked());
}

TEST(UpDownControlTest, TakesUpOnlyWholeNumbersWithinItsRange) {
  QLineEdit edit;
  UpDownControl spin;
  spin.SetBuddy(&edit);
  spin.SetRange(100, 6400);
  spin.SetPos(500);
  EXPECT_EQ(edit.text(), "500");

  for (const char* refused : {"7000", "99", "12a", "1.5", "--3", "-"}) {
    edit.setText(refused);
    EXPECT_FALSE(spin.TakeUpBuddyText()) << refused;
    EXPECT_EQ(spin.Pos(), 500) << refused;
  }
  edit.setText(" 6400 ");
  EXPECT_TRUE(spin.TakeUpBuddyText());
  EXPECT_EQ(spin.Pos(), 6400);

  // An empty text counts as 0, which only a range holding 0 takes.
  edit.clear();
  EXPECT_FALSE(spin.TakeUpBuddyText());
  spin.SetRange(-133, 400);
  EXPECT_TRUE(spin.TakeUpBuddyText());
  EXPECT_EQ(spin.Pos(), 0);

  // Positions set by code are no operator's edits.
  QSignalSpy edited(&edit, &QLineEdit::textChanged);
  spin.SetPos(-500);
  EXPECT_EQ(edit.text(), "-133");
  EXPECT_EQ(edited.count(), 0);
}

TEST(UpDownControlTest, OwnerSeesEveryStepAndMayHoldTheControl) {
  QLineEdit edit;
  UpDownControl spin;
  spin.SetBuddy(&edit);
  spin.SetRange(-133, 400);
  spin.SetPos(-132);
  std::vector<std::pair<int, int>> asked;
  bool hold = false;
  spin.SetDeltaPosHandler([&](UpDownControl& s, UpDownControl::DeltaPos& change) {
    asked.emplace_back(change.pos, change.delta);
    if (hold) {
      s.SetPos(7);  // the owner puts the control back itself
      change.delta = 0;
    }
    return false;
  });

  QTest::mouseClick(spin.DownButton(), Qt::LeftButton);
  QTest::mouseClick(spin.DownButton(), Qt::LeftButton);  // at the low end
  EXPECT_EQ(spin.Pos(), -133);
  EXPECT_EQ(edit.text(), "-133");
  // The operator's text counts before the step.
  edit.setText("300");
  QTest::mouseClick(spin.UpButton(), Qt::LeftButton);
  EXPECT_EQ(spin.Pos(), 301);
  hold = true;
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(spin.Pos(), 7);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{-132, -1}, {-133, -1}, {300, 1}, {301, 1}}), asked);
}

TEST(ControlEventSourceTest, OnlyTheOperatorsActionsArrive) {
  Built b;
  b.dialog.show();
  std::vector<std::pair<int, ControlEventCode>> events;
  bool keep = false;
  new ControlEventSource(&b.dialog, [&](ControlEvent& event) {
    events.emplace_back(event.ctrlId, event.code);
    if (event.code == ControlEventCode::DeltaPos) event.keepPosition = keep;
  });

  // Code putting values into controls: nothing arrives.
  SelectQuietly(b.Get<QComboBox>(13), 2);
  CheckQuietly(b.Get<QCheckBox>(15), true);
  SetTextQuietly(b.Get<QLineEdit>(11), "12");
  b.Get<UpDownControl>(12)->SetPos(40);
  EXPECT_TRUE(events.empty());

  b.Get<QPushButton>(14)->click();
  QTest::mouseClick(b.Get<QCheckBox>(15), Qt::LeftButton);
  QTest::keyClick(b.Get<QComboBox>(13), Qt::Key_Up);
  QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(b.Get<QLineEdit>(11), &left);
  QFocusEvent menu(QEvent::FocusOut, Qt::PopupFocusReason);
  QCoreApplication::sendEvent(b.Get<QLineEdit>(11), &menu);
  keep = true;
  b.Get<UpDownControl>(12)->Step(1);

  const std::vector<std::pair<int, ControlEventCode>> expected = {
      {14, ControlEventCode::Clicked},   {15, ControlEventCode::Clicked},
      {13, ControlEventCode::SelChange}, {11, ControlEventCode::KillFocus},
      {12, ControlEventCode::DeltaPos},
  };
  EXPECT_EQ(events, expected);
  EXPECT_EQ(b.Get<QComboBox>(13)->currentIndex(), 1);
  EXPECT_EQ(b.Get<UpDownControl>(12)->Pos(), 40);  // held where it was
}

TEST(TabControlTest, OnlyTheOperatorsSelectionIsSignalled) {
  TabControl tabs;
  tabs.resize(400, 300);
  QSignalSpy changed(&tabs, &TabControl::SelectionChanged);
  EXPECT_EQ(tabs.GetCurSel(), -1);
  EXPECT_EQ(tabs.InsertItem(0, "User A", 0), 0);
  EXPECT_EQ(tabs.InsertItem(1, "Factory A", 2), 1);
  EXPECT_EQ(tabs.SetCurSel(1), 0);
  EXPECT_EQ(tabs.SetCurSel(5), -1);
  EXPECT_EQ(tabs.GetItemData(1), 2);
  EXPECT_EQ(tabs.GetItemData(2), -1);
  EXPECT_EQ(changed.count(), 0);
  EXPECT_TRUE(QRect(QPoint(), tabs.size()).contains(tabs.DisplayRect()));
  EXPECT_GT(tabs.DisplayRect().top(), tabs.Bar()->geometry().top());

  tabs.Bar()->setCurrentIndex(0);  // as a click does
  EXPECT_EQ(changed.count(), 1);
  tabs.DeleteAllItems();
  EXPECT_EQ(tabs.GetItemCount(), 0);
  EXPECT_EQ(changed.count(), 1);
}

TEST(MenuBuilderTest, NestedMenusSendTheirCommandIds) {
  const MenuEntry entries[] = {
      {MenuEntryKind::Popup, "File(&F)", 0},  {MenuEntryKind::Popup, "&Save as", 0},
      {MenuEntryKind::Item, "All Data", 7},   {MenuEntryKind::End, nullptr, 0},
      {MenuEntryKind::Separator, nullptr, 0}, {MenuEntryKind::Item, "E&xit", 2},
      {MenuEntryKind::End, nullptr, 0},       {MenuEntryKind::Popup, "Help(&H)", 0},
      {MenuEntryKind::Item, "&About", 9},     {MenuEntryKind::End, nullptr, 0},
  };
  std::vector<int> commands;
  QWidget owner;
  QMenuBar* bar = BuildMenuBar(entries, &owner, [&](int id) { commands.push_back(id); });
  ASSERT_EQ(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0]->text(), "File(&F)");
  const QList<QAction*> file = bar->actions()[0]->menu()->actions();
  ASSERT_EQ(file.size(), 3);
  EXPECT_TRUE(file[1]->isSeparator());
  file[0]->menu()->actions()[0]->trigger();
  file[2]->trigger();
  bar->actions()[1]->menu()->actions()[0]->trigger();
  EXPECT_EQ(commands, (std::vector<int>{7, 2, 9}));
}

TEST(KeyPreTranslatorTest, SeesEachPressOnceAndOnlyForItsWindow) {
  QWidget window;
  auto* button = new QPushButton("x", &window);
  QWidget other;
  auto* elsewhere = new QPushButton("y", &other);
  std::vector<std::pair<QWidget*, int>> seen;
  KeyPreTranslator translator(&window, [&](QWidget* receiver, QKeyEvent& key) {
    seen.emplace_back(receiver, key.key());
    return key.key() == Qt::Key_Escape;
  });
  // A push button ignores letters: Qt offers them to its parent too.
  QTest::keyClick(button, Qt::Key_K);
  QTest::keyClick(button, Qt::Key_K);
  QTest::keyClick(elsewhere, Qt::Key_W);
  QTest::keyClick(button, Qt::Key_Escape);
  EXPECT_EQ(seen, (std::vector<std::pair<QWidget*, int>>{
                      {button, Qt::Key_K}, {button, Qt::Key_K}, {button, Qt::Key_Escape}}));
}

TEST(TemplateDialogTest, OwnedWindowsStayUsableWhenTheirOwnerIsDisabled) {
  TemplateDialog owner(kIddMain);
  TemplateDialog owned(kIddLut);
  ASSERT_TRUE(owner.Create());
  ASSERT_TRUE(owned.Create(&owner));
  EXPECT_FALSE(owned.Create(&owner));  // the window exists already
  EXPECT_FALSE(TemplateDialog(4711).Create());
  ASSERT_NE(owned.windowHandle(), nullptr);
  EXPECT_EQ(owned.windowHandle()->transientParent(), owner.windowHandle());
  owner.setEnabled(false);
  EXPECT_TRUE(owned.isEnabled());

  // Without a sizing border the client keeps the template's size.
  owner.show();
  EXPECT_EQ(owner.Client()->size(), ClientSize(*FindDialogTemplate(kIddMain), owner.Units()));
}

TEST(TemplateDialogTest, EndedWhileInitialisingItNeverRuns) {
  struct EndsAtOnce : TemplateDialog {
    EndsAtOnce() : TemplateDialog(kIddLut) {}
    bool OnInitDialog() override {
      done(QDialog::Accepted);  // as an ending signal during start-up does
      return true;
    }
  } dialog;
  QTimer::singleShot(3000, &dialog, [&] { dialog.QDialog::done(QDialog::Rejected); });
  QElapsedTimer ran;
  ran.start();
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_LT(ran.elapsed(), 1000);
  EXPECT_FALSE(dialog.isVisible());
}

double Luminance(QRgb c) {
  return (0.2126 * qRed(c) + 0.7152 * qGreen(c) + 0.0722 * qBlue(c)) / 255.0;
}

TEST(PicturesTest, StatusPicturesDifferAndStandOutOnLightAndDarkWindows) {
  EXPECT_TRUE(PicturePixmap(4711, {10, 10}).isNull());
  for (const QSize size : {QSize(860, 8), QSize(30, 30)}) {
    const QImage offline = PicturePixmap(kIdbOffline, size).toImage();
    const QImage online = PicturePixmap(kIdbOnline, size).toImage();
    ASSERT_FALSE(offline.isNull());
    EXPECT_NE(offline, online);
    for (const QImage& picture : {offline, online}) {
      // Mean brightness of the drawn pixels lies well away from both a light
      // and a dark window background.
      double sum = 0;
      int count = 0;
      for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
          const QRgb pixel = picture.pixel(x, y);
          if (qAlpha(pixel) < 200) continue;
          sum += Luminance(pixel);
          ++count;
        }
      }
      ASSERT_GT(count, picture.width() * picture.height() / 3);
      const double mean = sum / count;
      EXPECT_LT(mean, 0.75);  // against #f0f0f0
      EXPECT_GT(mean, 0.12);  // against #202020
    }
  }
  EXPECT_FALSE(AppIcon().isNull());
}

TEST(PollingTimerTest, SleepsUntilItsSignalThenTicksAgain) {
  const int signal = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  ASSERT_GE(signal, 0);
  QtPollingTimer timer;
  int ticks = 0;
  timer.Start(5, [&] { ++ticks; });
  HoldFor(40);
  EXPECT_GT(ticks, 0);

  timer.WaitForSignal(signal);
  ticks = 0;
  HoldFor(40);
  EXPECT_EQ(ticks, 0);  // asleep: no wake-up for nothing
  const uint64_t one = 1;
  ASSERT_EQ(::write(signal, &one, sizeof one), static_cast<ssize_t>(sizeof one));
  HoldFor(40);
  EXPECT_GT(ticks, 0);
  EXPECT_FALSE(timer.IsWaiting());
  timer.Stop();
  ::close(signal);
}

}  // namespace
}  // namespace cct
