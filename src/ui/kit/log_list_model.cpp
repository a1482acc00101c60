#include "ui/kit/log_list_model.h"

#include <algorithm>

namespace cct {

LogListModel::LogListModel(int capacity, QObject* parent)
    : QAbstractListModel(parent), capacity_(std::max(capacity, 1)) {}

void LogListModel::AddLine(const QString& line) {
  // The oldest row leaves before the new one arrives, so a view never sees
  // more rows than the capacity.
  if (count_ == capacity_) {
    beginRemoveRows({}, count_ - 1, count_ - 1);
    --count_;
    endRemoveRows();
  }
  beginInsertRows({}, 0, 0);
  if (static_cast<int>(ring_.size()) < capacity_) {
    ring_.push_back(line);
  } else {
    ring_[next_] = line;  // the slot the oldest line just left
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
  endResetModel();
}

int LogListModel::Count() const {
  return count_;
}

int LogListModel::Capacity() const {
  return capacity_;
}

const QString& LogListModel::Line(int row) const {
  static const QString kNone;
  if (row < 0 || row >= count_) return kNone;
  return ring_[Slot(row)];
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
