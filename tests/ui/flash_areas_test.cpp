// The camera's flash areas from the main window: the area selection dialog,
// "&Store settings", "&Load settings" and "Store All".
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "res/templates/resource_ids.h"
#include "ui/main/parameter_area_select_dialog.h"

namespace cct {
namespace {

using test::Lines;

class FlashAreasTest : public test::CameraWindowTest {
 protected:
  QStringList Items(int mode) {
    CParameterAreaSelectDialog dialog(mode, ui, controlMode);
    EXPECT_TRUE(dialog.Create());
    QStringList items;
    auto* list = dialog.Item<QComboBox>(kIdcAreaSelectList);
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }
};

TEST_F(FlashAreasTest, SelectionOffersTheFactoryAreaForStoringInFactoryModeOnly) {
  using Dialog = CParameterAreaSelectDialog;
  EXPECT_EQ(Items(Dialog::kStore), (QStringList{"User 1", "User 2", "User 3"}));
  EXPECT_EQ(Items(Dialog::kLoad), (QStringList{"Factory", "User 1", "User 2", "User 3"}));
  controlMode.SetControlMode(kFactoryMode);
  EXPECT_EQ(Items(Dialog::kStore).first(), "Factory");

  // The area is the item's text, whatever its place in the list.
  Dialog load(Dialog::kLoad, ui, controlMode);
  ASSERT_TRUE(load.Create());
  EXPECT_EQ(load.windowTitle(), "Load setting data");
  test::Pick(load, kIdcAreaSelectList, 2);
  load.OnOK();
  EXPECT_EQ(load.SelectedArea(), 2);
  load.Item<QComboBox>(kIdcAreaSelectList)->setItemText(2, "User 9");
  load.OnOK();
  EXPECT_EQ(load.SelectedArea(), -1);
}

TEST_F(FlashAreasTest, StoreAndLoadSettingsSendTheChosenArea) {
  Start();
  window->areas = {2, 0, 3};
  window->StoreSettings();
  window->StoreSettings();
  EXPECT_EQ(Sent(), (Lines{"SA=2", "SA00=0"}));
  EXPECT_EQ(BoxTexts(), (QStringList(2, "Completed saving current setting data !")));
  // A flash write slower than its 8 s goes unconfirmed.
  Camera().MutableOptions().answerDelayMs = {{"SA", 9000}};
  window->StoreSettings();
  EXPECT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(window->CurrentArea(), 3);
  clock.Advance(2000);  // its late answer comes and goes before the next command
  while (camera.ReadLine(false)) {
  }

  Camera().SetValue("GA", "900");
  ASSERT_EQ(Camera().HandleLine("SA=1", 0), Lines{"COMPLETE"});
  window->areas = {1, -1};
  Mark();
  window->LoadSettings();
  EXPECT_EQ(Sent().at(0), "LD=1");
  EXPECT_EQ(Sent().at(1), "MD?");
  EXPECT_EQ(parameters.GetDataValue(1041), 900);

  // No area: nothing sent, and the operator hears why.
  Mark();
  window->LoadSettings();
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(BoxTexts().last(), "Selected invalid area !");
  EXPECT_EQ(prompter.boxes.back().icon, MsgIcon::Error);
}

TEST_F(FlashAreasTest, StoreSettingsRunsTheRealDialogModally) {
  Start();
  window->realAreaDialog = true;
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<CParameterAreaSelectDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    test::Pick(*dialog, kIdcAreaSelectList, 2);  // "User 3"
    dialog->OnOK();
  });
  window->StoreSettings();
  EXPECT_EQ(Sent(), (Lines{"SA=3"}));
}

TEST_F(FlashAreasTest, StoreAllTriesEveryAreaAndReportsOnce) {
  Start(kFactoryMode);
  Camera().MutableOptions().refusedLines = {"SA=3"};
  prompter.answers = {MsgResult::No, MsgResult::Yes, MsgResult::Yes};
  window->StoreAll();
  EXPECT_TRUE(Sent().empty());
  window->StoreAll();
  EXPECT_EQ(Sent(), (Lines{"SA=3", "SA=2", "SA=1", "SA00=0"}));
  Camera().MutableOptions().refusedLines.clear();
  window->StoreAll();
  // Question, question, the camera's refusal, one report; question, report.
  ASSERT_EQ(prompter.boxes.size(), 6u);
  EXPECT_EQ(prompter.boxes[0].text, "Are you sure you want to overwrite into all EEPROM areas?");
  EXPECT_EQ(prompter.boxes[3].text, "Couldn't store current setting data!");
  EXPECT_EQ(prompter.boxes[5].text, "Completed to store current setting data!");
}

}  // namespace
}  // namespace cct
