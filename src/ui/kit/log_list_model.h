#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QString>

#include <vector>

namespace cct {

// The longest line a log keeps its whole count of: the terminal's printed
// lines are cut to it, the camera's lines are far shorter. Longer lines (a
// camera flooding the line) meet a log's byte budget sooner.
inline constexpr int kLongestLogLine = 255;

// The lines of a log, newest first (row 0), at most `capacity` of them and
// at most `byteBudget` characters together: adding a line beyond either drops
// the oldest. Ordinary camera traffic fills the line count long before the
// budget; a camera flooding long lines meets the budget and keeps the log's
// memory bounded. A ring, so adding costs the same when full. Lines are the
// line's bytes (Latin-1), one byte each.
class LogListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // A capacity below 1 holds one line; a line longer than the budget is kept
  // alone.
  LogListModel(int capacity, qsizetype byteBudget, QObject* parent = nullptr);

  // At the top (row 0); beyond the capacity or the budget the bottom
  // (oldest) rows go.
  void AddLine(const QString& line);
  void Clear();
  int Count() const;
  int Capacity() const;
  qsizetype Bytes() const { return bytes_; }
  // Row 0 is the newest; an empty string outside the rows.
  QString Line(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  // DisplayRole: the text.
  QVariant data(const QModelIndex& index, int role) const override;
  // Enabled only: a log is read, never selected or edited.
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  int Slot(int row) const;
  void DropOldest();

  int capacity_;
  qsizetype byteBudget_;
  std::vector<QByteArray> ring_;  // grows to the capacity, then slots are reused
  int next_ = 0;                  // the slot the next line goes into
  int count_ = 0;
  qsizetype bytes_ = 0;
};

}  // namespace cct
