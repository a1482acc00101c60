#include <QWidget>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "res/templates/resource_ids.h"
#include "ui/main/dialog_registry.h"
#include "ui/main/online_status.h"
#include "ui_fixture.h"

namespace cct {
namespace {

// A window's part in the indicator: a strip, and a log of what it was told
// together with what every strip showed at that moment.
struct Window : COnlineStatusUpdater {
  Window(std::string name, std::vector<std::string>& log, const std::vector<Window*>& all)
      : name(std::move(name)), log(log), all(all) {
    SetStatusStrip(strip.get());
  }
  void Update(int online) override {
    std::string seen;
    for (const Window* w : all) seen += w->strip ? std::to_string(w->strip->Bitmap()) + " " : "- ";
    log.push_back(name + "=" + std::to_string(online) + " sees " + seen);
  }
  std::unique_ptr<PictureControl> strip = std::make_unique<PictureControl>();
  std::string name;
  std::vector<std::string>& log;
  const std::vector<Window*>& all;
};

TEST(OnlineStatusIndicatorTest, TellsEveryWindowInOrderAfterAllStripsChanged) {
  OnlineStatusIndicator indicator;
  std::vector<std::string> log;
  std::vector<Window*> all;
  Window a("a", log, all), b("b", log, all);
  all = {&a, &b};
  EXPECT_EQ(indicator.CurrentBitmap(), kIdbOffline);

  indicator.Register(a);
  indicator.Register(b);
  indicator.Register(a);  // twice: told twice
  indicator.SetOnline();
  EXPECT_EQ(log, (std::vector<std::string>{"a=1 sees 303 303 ", "b=1 sees 303 303 ",
                                           "a=1 sees 303 303 "}));

  log.clear();
  indicator.Unregister(a);  // every entry of it
  b.strip->SetBitmap(0);
  indicator.SetOnline();  // unchanged state: still shown and told
  EXPECT_EQ(log, (std::vector<std::string>{"b=1 sees 303 303 "}));
  EXPECT_EQ(indicator.Count(), 1);

  // A window whose strip is gone is neither shown nor told.
  log.clear();
  b.strip.reset();
  indicator.SetOffline();
  EXPECT_TRUE(log.empty());
}

TEST(OnlineStatusIndicatorTest, AWindowShowsTheStateAtOnceAndLeavesWhenDestroyed) {
  OnlineStatusIndicator indicator;
  std::vector<std::string> log;
  std::vector<Window*> all;
  indicator.SetOnline();
  auto late = std::make_unique<Window>("late", log, all);
  indicator.Register(*late);
  EXPECT_EQ(late->strip->Bitmap(), kIdbOnline);
  EXPECT_TRUE(log.empty());  // shown, not told

  late.reset();
  EXPECT_EQ(indicator.Count(), 0);
  indicator.SetOffline();  // touches nothing that is gone
  EXPECT_EQ(indicator.CurrentBitmap(), kIdbOffline);
}

TEST(DialogRegistryTest, DisableAllAndEnableAllCoverEveryLiveDialog) {
  DialogRegistry registry;
  QWidget main, communication, terminal;
  auto lut = std::make_unique<QWidget>();
  terminal.setEnabled(false);  // already disabled: enabled again afterwards
  for (QWidget* w : {&main, &communication, &terminal, lut.get()}) registry.Register(w);
  lut.reset();  // destroyed without leaving: skipped
  {
    DisabledDialogs during(registry);
    EXPECT_FALSE(main.isEnabled());
    EXPECT_FALSE(communication.isEnabled());
  }
  EXPECT_TRUE(main.isEnabled());
  EXPECT_TRUE(terminal.isEnabled());

  registry.Register(&main);
  registry.Unregister(&main);
  EXPECT_FALSE(registry.Contains(&main));
  registry.DisableAll();
  EXPECT_TRUE(main.isEnabled());
  EXPECT_FALSE(communication.isEnabled());
}

class UiHostTest : public test::UiTest {};

TEST_F(UiHostTest, RoutesBoxesStateAndLogs) {
  EXPECT_EQ(ui.MessageBox("No answer", kCommErrorCaption, MsgIcon::Warning, MsgButtons::Ok),
            MsgResult::Ok);
  prompter.answers = {MsgResult::Yes};
  EXPECT_EQ(ui.MessageBox("Sure ?", kAppCaption, MsgIcon::Question, MsgButtons::YesNo),
            MsgResult::Yes);
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[0].caption, "Communication Error");
  EXPECT_EQ(prompter.boxes[1].icon, MsgIcon::Question);

  ui.SetOnline(true);
  EXPECT_TRUE(ui.GetIndicator().IsOnline());
  ui.SetOnline(false);
  EXPECT_FALSE(ui.GetIndicator().IsOnline());

  std::vector<std::string> terminal;
  ui.LogTerminal("dropped while no terminal listens");
  ui.SetTerminalSink([&](const std::string& line) { terminal.push_back(line); });
  ui.LogTerminal("Tx: GA?");
  ui.LogMessage("GA?");
  EXPECT_EQ(terminal, std::vector<std::string>{"Tx: GA?"});
}

}  // namespace
}  // namespace cct
