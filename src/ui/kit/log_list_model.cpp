#include "ui/kit/log_list_model.h"

#include <algorithm>

namespace cct {

LogListModel::LogListModel(int capacity, qsizetype byteBudget, QObject* parent)
    : QAbstractListModel(parent), capacity_(std::max(capacity, 1)), byteBudget_(byteBudget) {}

void LogListModel::DropOldest() {
  beginRemoveRows({}, count_ - 1, count_ - 1);
  QByteArray& oldest = ring_[Slot(count_ - 1)];
  bytes_ -= oldest.size();
  oldest = QByteArray();
  --count_;
  endRemoveRows();
}

void LogListModel::AddLine(const QString& line) {
  QByteArray bytes = line.toLatin1();
  // The oldest rows leave before the new one arrives, so a view never sees
  // more rows than the capacity.
  while (count_ > 0 && (count_ == capacity_ || bytes_ + bytes.size() > byteBudget_)) DropOldest();
  beginInsertRows({}, 0, 0);
  bytes_ += bytes.size();
  if (static_cast<int>(ring_.size()) < capacity_) {
    ring_.push_back(std::move(bytes));
  } else {
    ring_[next_] = std::move(bytes);  // a slot the oldest lines have left
  }
  next_ = (next_ + 1) % capacity_;
  ++count_;
  endInsertRows();
}

void LogListModel::Clear() {
  beginResetModel();
  ring_.clear();
  next_ = 0;
  count_ = 0;
  bytes_ = 0;
  endResetModel();
}

int LogListModel::Count() const {
  return count_;
}

int LogListModel::Capacity() const {
  return capacity_;
}

QString LogListModel::Line(int row) const {
  if (row < 0 || row >= count_) return QString();
  return QString::fromLatin1(ring_[Slot(row)]);
}

int LogListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count_;
}

QVariant LogListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.column() != 0) return {};
  if (index.row() >= count_) return {};
  return Line(index.row());
}

Qt::ItemFlags LogListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

int LogListModel::Slot(int row) const {
  // Row 0 sits just before the next slot; older rows further back, wrapping.
  return (next_ - 1 - row + capacity_) % capacity_;
}

}  // namespace cct
