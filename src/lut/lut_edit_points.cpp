#include "lut/lut_edit_points.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace cct {

namespace {

constexpr int kMoveReach = 32;
constexpr int kRemoveReach = 16;
// A new point only while fewer than this many are in use.
constexpr int kAddLimit = 15;

bool Within(const EditPoint& point, int x, int y, int reach) {
  return std::abs(point.x - x) <= reach && std::abs(point.y - y) <= reach;
}

}  // namespace

bool LutEditPoints::InGraph(int x, int y) {
  return x >= 0 && x <= kGraphSize && y >= 0 && y <= kGraphSize;
}

void LutEditPoints::Clear() {
  points_ = {};
  points_[0] = {0, kGraphSize};
  points_[1] = {kGraphSize, 0};
  count_ = 2;
}

void LutEditPoints::ConvertFrom(const LutTable& output, int count) {
  count = std::clamp(count, 2, kMaxEditPoints);
  points_ = {};
  for (int i = 0; i < count - 1; ++i) {
    // The spacing is computed in single precision, as tables converted
    // before were; the same table gives the same points.
    const int x = static_cast<int>(static_cast<float>(i) / static_cast<float>(count - 1) *
                                   static_cast<float>(kGraphSize));
    points_[i] = {x, static_cast<int32_t>(256.0 - output[x] * 0.0625)};
  }
  // The last point keeps the table's last level, so a falling curve is not
  // pulled up to full scale at its end.
  points_[count - 1] = {kGraphSize, static_cast<int32_t>(256.0 - output[kLutEntries - 1] * 0.0625)};
  count_ = count;
}

bool LutEditPoints::LeftDrag(int x, int y) {
  if (!InGraph(x, y)) return false;
  for (int i = 0; i < count_; ++i) {
    if (Within(points_[i], x, y, kMoveReach)) {
      points_[i] = {x, y};
      Sort();
      return true;
    }
  }
  if (count_ >= kAddLimit) return false;
  points_[count_++] = {x, y};
  Sort();
  return true;
}

bool LutEditPoints::RightDrag(int x, int y) {
  if (!InGraph(x, y) || count_ <= 2) return false;
  for (int i = 1; i < count_ - 1; ++i) {
    if (Within(points_[i], x, y, kRemoveReach)) {
      std::copy(points_.begin() + i + 1, points_.begin() + count_, points_.begin() + i);
      points_[--count_] = {};
      Sort();
      return true;
    }
  }
  return false;
}

void LutEditPoints::Set(const EditPoint* points, int count) {
  count_ = std::clamp(count, 2, kMaxEditPoints);
  points_ = {};
  std::copy(points, points + std::min(count, kMaxEditPoints), points_.begin());
}

void LutEditPoints::Sort() {
  // An exchange over every pair, as the point lists were always ordered; on
  // equal x it decides which point a later gesture finds first.
  for (int i = 0; i < count_; ++i) {
    for (int j = 0; j < count_; ++j) {
      if (points_[i].x < points_[j].x) std::swap(points_[i], points_[j]);
    }
  }
}

}  // namespace cct
