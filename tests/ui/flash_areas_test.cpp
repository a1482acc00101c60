// The camera's flash areas from the main window: the area selection dialog,
// "&Store settings", "&Load settings" and "Store All".
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "res/templates/resource_ids.h"
#include "ui/main/flash_areas.h"
#include "ui/main/parameter_area_select_dialog.h"

namespace cct {
namespace {

using test::Lines;

class FlashAreasTest : public test::CameraWindowTest {
 protected:
  QStringList Items(CParameterAreaSelectDialog& dialog) const {
    QStringList items;
    auto* list = dialog.Item<QComboBox>(kIdcAreaSelectList);
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }
};

TEST_F(FlashAreasTest, SelectionOffersTheFactoryAreaForStoringInFactoryModeOnly) {
  CParameterAreaSelectDialog store(CParameterAreaSelectDialog::kStore, ui, controlMode);
  ASSERT_TRUE(store.Create());
  EXPECT_EQ(store.windowTitle(), "Store setting data");
  EXPECT_EQ(store.Item<QLabel>(kIdcAreaSelectPrompt)->text(),
            "Select the flash memory area to save setting data");
  EXPECT_EQ(Items(store), (QStringList{"User 1", "User 2", "User 3"}));
  // The area is the item's text, whatever its place in the list.
  test::Pick(store, kIdcAreaSelectList, 1);
  store.OnOK();
  EXPECT_EQ(store.SelectedArea(), 2);
  EXPECT_EQ(store.result(), QDialog::Accepted);

  controlMode.SetControlMode(kFactoryMode);
  CParameterAreaSelectDialog factoryStore(CParameterAreaSelectDialog::kStore, ui, controlMode);
  ASSERT_TRUE(factoryStore.Create());
  EXPECT_EQ(Items(factoryStore).first(), "Factory");
  factoryStore.OnOK();
  EXPECT_EQ(factoryStore.SelectedArea(), 0);

  controlMode.SetControlMode(kUserMode);
  CParameterAreaSelectDialog load(CParameterAreaSelectDialog::kLoad, ui, controlMode);
  ASSERT_TRUE(load.Create());
  EXPECT_EQ(load.windowTitle(), "Load setting data");
  EXPECT_EQ(Items(load), (QStringList{"Factory", "User 1", "User 2", "User 3"}));
  load.Item<QComboBox>(kIdcAreaSelectList)->setItemText(3, "User 9");
  test::Pick(load, kIdcAreaSelectList, 3);
  load.OnOK();
  EXPECT_EQ(load.SelectedArea(), -1);
}

TEST_F(FlashAreasTest, StoreAndLoadSettingsSendTheChosenArea) {
  Start();
  window->areas = {2, 0};
  window->StoreSettings();
  window->StoreSettings();
  EXPECT_EQ(Sent(), (Lines{"SA=2", "SA00=0"}));
  EXPECT_EQ(window->areaModes, (std::vector<int>{CParameterAreaSelectDialog::kStore,
                                                 CParameterAreaSelectDialog::kStore}));
  EXPECT_EQ(BoxTexts(), (QStringList{"Completed saving current setting data !",
                                     "Completed saving current setting data !"}));
  EXPECT_EQ(window->CurrentArea(), 0);

  // A flash write slower than its 8 s goes unconfirmed.
  Camera().MutableOptions().answerDelayMs = {{"SA", 9000}};
  window->areas = {3};
  prompter.boxes.clear();
  window->StoreSettings();
  EXPECT_TRUE(prompter.boxes.empty());
  Camera().MutableOptions().answerDelayMs.clear();
  // Its late answer comes and goes before the next command.
  clock.Advance(2000);
  while (command.ReadLine(false)) {
  }

  // Loading reads every setting again, but not after a refusal.
  Camera().SetValue("GA", "900");
  ASSERT_EQ(Camera().HandleLine("SA=1", 0), Lines{"COMPLETE"});
  Camera().MutableOptions().refusedLines = {"LD=3"};
  window->areas = {3, 1};
  Mark();
  window->LoadSettings();
  EXPECT_EQ(Sent(), (Lines{"LD=3"}));
  window->LoadSettings();
  const Lines sent = Sent();
  ASSERT_GT(sent.size(), 2u);
  EXPECT_EQ(sent[1], "LD=1");
  EXPECT_EQ(sent[2], "MD?");
  EXPECT_EQ(parameters.GetDataValue(1041), 900);
  EXPECT_EQ(window->CurrentArea(), 1);

  // Cancelled: nothing; no area: nothing sent, and the operator hears why.
  window->areas = {};
  Mark();
  prompter.boxes.clear();
  window->StoreSettings();
  window->areas = {-1, -1};
  window->StoreSettings();
  window->LoadSettings();
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(BoxTexts(), (QStringList{"Selected invalid area !", "Selected invalid area !"}));
  EXPECT_EQ(prompter.boxes[0].icon, MsgIcon::Error);
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
  prompter.answers = {MsgResult::No};
  window->StoreAll();
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(prompter.boxes.back().text,
            "Are you sure you want to overwrite into all EEPROM areas?");

  Camera().MutableOptions().refusedLines = {"SA=3"};
  prompter.boxes.clear();
  prompter.answers = {MsgResult::Yes};
  window->StoreAll();
  EXPECT_EQ(Sent(), (Lines{"SA=3", "SA=2", "SA=1", "SA00=0"}));
  // The question, the camera's refusal, then one report.
  ASSERT_EQ(prompter.boxes.size(), 3u);
  EXPECT_EQ(prompter.boxes[2].text, "Couldn't store current setting data!");
  EXPECT_EQ(prompter.boxes[2].icon, MsgIcon::Warning);

  Camera().MutableOptions().refusedLines.clear();
  prompter.boxes.clear();
  prompter.answers = {MsgResult::Yes};
  window->StoreAll();
  EXPECT_EQ(BoxTexts().last(), "Completed to store current setting data!");
  EXPECT_EQ(prompter.boxes.back().icon, MsgIcon::Information);
}

}  // namespace
}  // namespace cct
