// The two logs' lists: a ring of fixed capacity, newest first, and a view
// that paints only the rows in sight.
#include <QScrollBar>

#include <gtest/gtest.h>

#include "res/templates/resource_ids.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_builder.h"
#include "ui/kit/log_list_model.h"
#include "ui/kit/log_list_view.h"
#include "ui/service/communication_dialog.h"
#include "ui/service/terminal_dialog.h"

namespace cct {
namespace {

QString Numbered(int n) {
  return QStringLiteral("L%1").arg(n);
}

class LogListCapacityTest : public ::testing::TestWithParam<int> {};

TEST_P(LogListCapacityTest, LineBeyondTheCapacityDropsExactlyTheOldest) {
  const int capacity = GetParam();
  LogListModel model(capacity, capacity * 16);
  for (int i = 0; i < capacity; ++i) model.AddLine(Numbered(i));
  EXPECT_EQ(model.Line(0), Numbered(capacity - 1));
  EXPECT_EQ(model.Line(capacity - 1), "L0");
  EXPECT_EQ(model.Line(capacity), "");

  // Once round the ring and a bit: every row still in order.
  const int last = 2 * capacity + 7;
  for (int i = capacity; i <= last; ++i) model.AddLine(Numbered(i));
  EXPECT_EQ(model.rowCount(), capacity);
  for (int row = 0; row < capacity; ++row) {
    ASSERT_EQ(model.Line(row), Numbered(last - row)) << row;
  }
  model.Clear();
  model.AddLine("again");
  EXPECT_EQ(model.Count(), 1);
  EXPECT_EQ(model.data(model.index(0), Qt::DisplayRole).toString(), "again");
}

INSTANTIATE_TEST_SUITE_P(MessageAndTerminal, LogListCapacityTest, ::testing::Values(4096, 32786));

// Each log keeps its full count of the longest lines it takes: 255
// characters (the terminal's with their time stamp before them).
TEST(LogListModelTest, TheLogsKeepTheirCountOfTheLongestLines) {
  const struct {
    int capacity;
    qsizetype budget;
    int length;
  } cases[] = {
      {CCommunicationDialog::kMessageCapacity, CCommunicationDialog::kMessageBudget, 255},
      {CTerminalDialog::kLineCapacity, CTerminalDialog::kLineBudget, 30},
      {CTerminalDialog::kLineCapacity, CTerminalDialog::kLineBudget,
       CTerminalDialog::kStampLength + CTerminalDialog::kPrintLimit},
  };
  for (const auto& c : cases) {
    LogListModel model(c.capacity, c.budget);
    for (int i = 0; i < c.capacity + 104; ++i)
      model.AddLine(QString(c.length, QChar('a' + i % 26)));
    EXPECT_EQ(model.Count(), c.capacity) << c.length;
  }
}

TEST(LogListModelTest, LongLinesMeetTheBudgetBeforeTheCount) {
  LogListModel model(100, 1000);
  for (int i = 0; i < 50; ++i) model.AddLine(QString(300, QChar('a' + i % 26)));
  EXPECT_EQ(model.Count(), 3);  // 900 of the 1000 characters
  EXPECT_LE(model.Bytes(), 1000);
  EXPECT_EQ(model.Line(0), QString(300, QChar('a' + 49 % 26)));
  model.AddLine(QString(5000, 'z'));  // longer than the budget: kept alone
  EXPECT_EQ(model.Count(), 1);
  model.AddLine(QStringLiteral("\u00b5s"));  // one byte per character
  EXPECT_EQ(model.Count(), 1);
  EXPECT_EQ(model.Line(0), QStringLiteral("\u00b5s"));
  EXPECT_EQ(model.Bytes(), 2);
}

TEST(LogListViewTest, ShowsTheNewestOnTopAndScrollsToTheOldest) {
  LogListModel model(50, 50 * 16);
  LogListView view;
  view.SetModel(&model);
  view.resize(200, 10 * view.RowHeight() + 2 * view.frameWidth());
  view.show();
  for (int i = 0; i < 130; ++i) model.AddLine(Numbered(i));
  EXPECT_EQ(view.VisibleRows(), 10);
  EXPECT_EQ(view.verticalScrollBar()->maximum(), 40);
  EXPECT_EQ(view.RowAt(QPoint(5, 2)), 0);
  view.verticalScrollBar()->setValue(40);
  EXPECT_EQ(model.Line(view.RowAt(QPoint(5, 9 * view.RowHeight() + 1))), "L80");
  model.Clear();
  EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(view.RowAt(QPoint(5, 2)), -1);
}

TEST(LogListViewTest, BothLogsAreBuiltAsViewsWaitingForTheirModel) {
  const DialogUnits units(6, 13);
  for (const auto& [dialogId, listId] :
       {std::pair{kIddCommunication, kIdcCommMessages}, std::pair{kIddTerminal, kIdcTermList}}) {
    QWidget window;
    BuildControls(&window, *FindDialogTemplate(dialogId), units);
    auto* log = qobject_cast<LogListView*>(FindDlgItem(&window, listId));
    ASSERT_NE(log, nullptr) << listId;
    EXPECT_EQ(log->Model(), nullptr) << listId;
  }
}

}  // namespace
}  // namespace cct
