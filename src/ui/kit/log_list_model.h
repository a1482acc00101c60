#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

namespace cct {

// The lines of a log, newest first (row 0), at most `capacity` of them: adding
// a line beyond that drops the oldest. A ring, so adding costs the same when full.
class LogListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // A capacity below 1 holds one line.
  explicit LogListModel(int capacity, QObject* parent = nullptr);

  // At the top (row 0); beyond the capacity the bottom (oldest) row goes.
  void AddLine(const QString& line);
  void Clear();
  int Count() const;
  int Capacity() const;
  // Row 0 is the newest; an empty string outside the rows.
  const QString& Line(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  // DisplayRole: the text.
  QVariant data(const QModelIndex& index, int role) const override;
  // Enabled only: a log is read, never selected or edited.
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  int Slot(int row) const;

  int capacity_;
  std::vector<QString> ring_;  // grows to the capacity, then slots are reused
  int next_ = 0;               // the slot the next line goes into
  int count_ = 0;
};

}  // namespace cct
