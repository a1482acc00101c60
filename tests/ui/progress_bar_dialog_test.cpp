#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "protocol/timing.h"
#include "ui/main/progress_bar_dialog.h"
#include "window_system.h"

namespace cct {
namespace {

class ProgressBarDialogTest : public ::testing::Test {
 protected:
  ProgressBarDialogTest() {
    timing.progressHoldMs = 60;
    owner.resize(300, 200);
    owner.show();
  }
  Timing timing;
  QWidget owner;
  CProgressBarDialog progress{timing};
};

TEST_F(ProgressBarDialogTest, ShowsFullBarForTheHoldThenEnablesItsOwner) {
  progress.Open(&owner, "Now, reading camera settings.");
  ASSERT_TRUE(progress.IsVisible());
  EXPECT_FALSE(owner.isEnabled());
  EXPECT_EQ(progress.Pos(), 0);
  EXPECT_EQ(progress.Message(), "Now, reading camera settings.");
  // The progress window is not disabled with its owner.
  EXPECT_TRUE(progress.Window()->isEnabled());

  progress.SetPos(38);
  EXPECT_EQ(progress.Pos(), 38);
  progress.SetMessage("Now, writing camera gamma data.  (1 / 256)");
  EXPECT_EQ(progress.Message(), "Now, writing camera gamma data.  (1 / 256)");

  int shownDuringHold = -1;
  QTimer::singleShot(20, [&] { shownDuringHold = progress.Pos(); });
  QElapsedTimer held;
  held.start();
  progress.Close();
  EXPECT_GE(held.elapsed(), 60);
  EXPECT_EQ(shownDuringHold, 100);
  EXPECT_FALSE(progress.IsOpen());
  EXPECT_TRUE(owner.isEnabled());

  // Afterwards nothing is shown, moved or waited for.
  progress.SetPos(50);
  EXPECT_EQ(progress.Pos(), -1);
  held.restart();
  progress.Close();
  EXPECT_LT(held.elapsed(), 30);
}

TEST_F(ProgressBarDialogTest, IsOnTheScreenPaintedBeforeTheWorkAndAfterEachStep) {
  // No event is let through in between: the caller blocks in an exchange.
  progress.Open(&owner, "Now, Storing camera data.");
  QWidget* window = progress.Window();
  const QImage opened = test::Painted(window);
  EXPECT_TRUE(test::ShownAsPainted(window));
  progress.SetPos(50);
  EXPECT_TRUE(test::ShownAsPainted(window));
  EXPECT_NE(test::OnScreen(window), opened);
  progress.SetMessage("Now, writing camera gamma data.  (2 / 256)");
  EXPECT_TRUE(test::ShownAsPainted(window));
}

TEST_F(ProgressBarDialogTest, AnOwnerDisabledBeforehandIsEnabledAfterwards) {
  owner.setEnabled(false);
  progress.Open(&owner, "Now, Storing camera data.");
  progress.Close();
  EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressBarDialogTest, CloseWithoutOpenWaitsForNothing) {
  timing.progressHoldMs = 5000;
  QElapsedTimer held;
  held.start();
  progress.Close();
  progress.SetPos(10);
  EXPECT_LT(held.elapsed(), 100);
  EXPECT_FALSE(progress.IsOpen());
  EXPECT_TRUE(owner.isEnabled());
}

}  // namespace
}  // namespace cct
