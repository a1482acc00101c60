#pragma once

#include <array>
#include <cstdint>

#include "lut/lut_table.h"

namespace cct {

// The LUT editor's graph: 256 x 256 logical pixels, x to the right for the
// input level (16 per pixel), y downwards for the output level (16 per
// pixel), so (0, 256) is black in and out and (256, 0) full scale.
inline constexpr int kGraphSize = 256;
inline constexpr int kMaxEditPoints = 16;

struct EditPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const EditPoint&) const = default;
};

// The points the operator shapes the curve with, 2 to 16 of them, kept in x
// order. The gestures follow the pointer while a mouse button is held.
class LutEditPoints {
 public:
  // A straight line from (0, 256) to (256, 0).
  LutEditPoints() { Clear(); }

  int Count() const { return count_; }
  const EditPoint& Point(int index) const { return points_[index]; }

  // The straight line again: two points, (0, 256) and (256, 0).
  void Clear();
  // `count` points (2..16) taken from a table, evenly spaced in x; the last
  // keeps the table's last level. For editing a table read from the camera.
  void ConvertFrom(const LutTable& output, int count);

  // Left button held at (x, y): the first point within 32 pixels in both
  // axes follows the pointer; away from every point a new one is added
  // while fewer than 15 are in use. True when the points changed.
  bool LeftDrag(int x, int y);
  // Right button held at (x, y): the first inner point within 16 pixels in
  // both axes goes, while more than two are in use. The first and the last
  // point always stay. True when the points changed.
  bool RightDrag(int x, int y);

  // Replaces the points as they are, for tests; the count is kept in 2..16.
  void Set(const EditPoint* points, int count);

 private:
  static bool InGraph(int x, int y);
  void Sort();

  std::array<EditPoint, kMaxEditPoints> points_{};
  int count_ = 2;
};

}  // namespace cct
