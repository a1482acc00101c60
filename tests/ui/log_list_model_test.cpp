#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringList>

#include <gtest/gtest.h>

#include "res/templates/resource_ids.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_builder.h"
#include "ui/kit/log_list_model.h"
#include "ui/kit/log_list_view.h"

namespace cct {
namespace {

constexpr int kMessageCapacity = 4096;
constexpr int kTerminalCapacity = 32786;

QString Numbered(int n) {
  return QStringLiteral("L%1").arg(n);
}

// Collects what Qt's model tester reports; any other message goes on.
class ModelTesterReports {
 public:
  ModelTesterReports() { previous_ = qInstallMessageHandler(&Handle); }
  ~ModelTesterReports() { qInstallMessageHandler(previous_); }
  static QStringList& Reports() {
    static QStringList reports;
    return reports;
  }

 private:
  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (context.category &&
        QLatin1String(context.category).startsWith(QLatin1String("qt.modeltest"))) {
      Reports().append(text);
    } else if (previous_) {
      previous_(type, context, text);
    }
  }
  static inline QtMessageHandler previous_ = nullptr;
};

TEST(LogListModelTest, NewestLineIsRowZeroAndRowsAreReadOnly) {
  LogListModel model(10);
  model.AddLine("GA?");
  model.AddLine("GA=6400");
  model.AddLine("COMPLETE");
  EXPECT_EQ(model.rowCount(), 3);
  EXPECT_EQ(model.Line(0), "COMPLETE");
  EXPECT_EQ(model.Line(2), "GA?");
  EXPECT_EQ(model.Line(3), "");
  EXPECT_EQ(model.Line(-1), "");
  EXPECT_EQ(model.data(model.index(1), Qt::DisplayRole).toString(), "GA=6400");
  EXPECT_EQ(
      model.flags(model.index(0)) & (Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable),
      Qt::ItemIsEnabled);
}

class LogListCapacityTest : public ::testing::TestWithParam<int> {};

TEST_P(LogListCapacityTest, LineBeyondTheCapacityDropsExactlyTheOldest) {
  const int capacity = GetParam();
  LogListModel model(capacity);
  QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
  for (int i = 0; i < capacity; ++i) model.AddLine(Numbered(i));
  EXPECT_EQ(removed.count(), 0);
  EXPECT_EQ(model.Line(capacity - 1), "L0");

  model.AddLine(Numbered(capacity));
  EXPECT_EQ(model.Count(), capacity);
  EXPECT_EQ(model.Line(0), Numbered(capacity));
  EXPECT_EQ(model.Line(capacity - 1), "L1");
  ASSERT_EQ(removed.count(), 1);
  EXPECT_EQ(removed[0][1].toInt(), capacity - 1);  // the bottom row

  // Once round the ring and a bit: every row still in order.
  const int last = 2 * capacity + 7;
  for (int i = capacity + 1; i <= last; ++i) model.AddLine(Numbered(i));
  EXPECT_EQ(model.Count(), capacity);
  for (int row = 0; row < capacity; ++row) {
    ASSERT_EQ(model.Line(row), Numbered(last - row)) << row;
  }
}

INSTANTIATE_TEST_SUITE_P(MessageAndTerminal, LogListCapacityTest,
                         ::testing::Values(kMessageCapacity, kTerminalCapacity));

TEST(LogListModelTest, ClearEmptiesAndTheRingStartsAfresh) {
  LogListModel model(3);
  for (int i = 0; i < 5; ++i) model.AddLine(Numbered(i));
  QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
  model.Clear();
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(model.Count(), 0);
  for (int i = 10; i < 14; ++i) model.AddLine(Numbered(i));
  EXPECT_EQ(model.Count(), 3);
  EXPECT_EQ(model.Line(0), "L13");
  EXPECT_EQ(model.Line(2), "L11");
  EXPECT_EQ(LogListModel(0).Capacity(), 1);
}

TEST(LogListModelTest, ViewFollowsAddsAndTheCap) {
  ModelTesterReports reports;
  ModelTesterReports::Reports().clear();
  LogListModel model(50);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
  LogListView view;
  view.SetModel(&model);
  view.resize(200, 10 * view.RowHeight() + 2 * view.frameWidth());
  view.show();

  for (int i = 0; i < 20; ++i) model.AddLine(Numbered(i));
  QCoreApplication::processEvents();
  EXPECT_EQ(view.RowAt(QPoint(5, 2)), 0);  // the newest on top
  EXPECT_EQ(view.VisibleRows(), 10);
  EXPECT_EQ(view.verticalScrollBar()->maximum(), 10);

  for (int i = 20; i < 130; ++i) model.AddLine(Numbered(i));
  QCoreApplication::processEvents();
  EXPECT_EQ(view.verticalScrollBar()->maximum(), 40);
  EXPECT_EQ(model.Line(view.RowAt(QPoint(5, 2))), "L129");
  view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
  const int bottomY = 9 * view.RowHeight() + 1;
  EXPECT_EQ(view.RowAt(QPoint(5, bottomY)), 49);
  EXPECT_EQ(model.Line(view.RowAt(QPoint(5, bottomY))), "L80");

  model.Clear();
  EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(view.RowAt(QPoint(5, 2)), -1);
  EXPECT_TRUE(ModelTesterReports::Reports().isEmpty())
      << ModelTesterReports::Reports().join('\n').toStdString();
}

constexpr ControlTemplate kLogControls[] = {
    {20, ControlKind::LogList, "", 2, 2, 100, 60, ctl::kVisible | ctl::kVScroll},
};
constexpr DialogTemplate kLogTemplate = {901, "Log", 110, 70, dlg::kChild, kLogControls};

TEST(LogListBuilderTest, LogListIsAViewWaitingForItsModel) {
  const DialogUnits units(6, 13);
  QWidget dialog;
  BuildControls(&dialog, kLogTemplate, units);
  auto* list = qobject_cast<LogListView*>(FindDlgItem(&dialog, 20));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Model(), nullptr);  // not a list widget with its own items
  EXPECT_EQ(list->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

  // Both logs of the program are such views.
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
