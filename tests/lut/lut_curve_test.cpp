// The LUT editor's points and curve without a window: the gestures' rules,
// the spline, and the table the points give.
#include "lut/lut_curve.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace cct {
namespace {

LutEditPoints PointsOf(const std::vector<EditPoint>& list) {
  LutEditPoints points;
  points.Set(list.data(), static_cast<int>(list.size()));
  return points;
}

std::vector<EditPoint> ListOf(const LutEditPoints& points) {
  std::vector<EditPoint> list;
  for (int i = 0; i < points.Count(); ++i) list.push_back(points.Point(i));
  return list;
}

TEST(LutCurveTest, AFreshEditorGivesAStraightLine) {
  const LutEditPoints fresh;
  for (const LutTable& table : {DeriveLutTable(fresh), DeriveLutTableByScan(fresh)}) {
    EXPECT_EQ(std::vector<uint32_t>(table.begin(), table.begin() + 5),
              (std::vector<uint32_t>{0, 16, 32, 49, 65}));
    EXPECT_EQ(table[128], 2048u);
    EXPECT_EQ(table[255], 4095u);  // 4096 as computed, kept to 12 bits
  }
  EXPECT_EQ(SampleCurve(fresh).x.size(), 1000u);
}

TEST(LutCurveTest, TheSplinePassesThroughItsKnotsAndGoesOnPastTheLast) {
  const std::vector<double> knots = {0.0, 10.0, 40.0, 20.0};
  const NaturalSpline spline(knots);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(spline(i), knots[i], 1e-9);
  const NaturalSpline line({0.0, 64.0, 128.0});
  EXPECT_NEAR(line(0.5), 32.0, 1e-9);
  EXPECT_NEAR(line(3.0), 192.0, 1e-9);  // a natural spline of a line stays a line
}

TEST(LutCurveTest, SixteenPointsGiveEightThousandSamplesAndCurvesAreClipped) {
  std::vector<EditPoint> list;
  for (int i = 0; i < 16; ++i) list.push_back({i * 256 / 15, i % 2 == 0 ? 256 : 0});
  EXPECT_EQ(SampleCurve(PointsOf(list)).x.size(), 8000u);
  // Swinging past both edges: 0 below the graph, 4095 above it.
  const LutTable table = DeriveLutTable(PointsOf({{0, 256}, {40, 256}, {80, 0}, {256, 0}}));
  EXPECT_EQ(table[1], 0u);
  EXPECT_EQ(table[250], 4095u);
  bool dipped = false, peaked = false;
  const CurveSamples samples = SampleCurve(PointsOf({{0, 256}, {40, 256}, {80, 0}, {256, 0}}));
  for (double y : samples.y) dipped |= y > 256, peaked |= y < 0;
  EXPECT_TRUE(dipped && peaked);
}

TEST(LutCurveTest, TheFastDerivationEqualsTheScanOnRandomPoints) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> coordinate(0, kGraphSize);
  std::uniform_int_distribution<int> howMany(2, kMaxEditPoints);
  std::uniform_int_distribution<int> fewValues(0, 3);
  for (int set = 0; set < 1500; ++set) {
    std::vector<EditPoint> list(howMany(random));
    // Every fourth set draws x from a few values, so equal x come often.
    for (EditPoint& p : list) {
      p = {set % 4 == 0 ? 64 * fewValues(random) : coordinate(random), coordinate(random)};
    }
    const LutEditPoints points = PointsOf(list);
    ASSERT_EQ(DeriveLutTable(points), DeriveLutTableByScan(points)) << "set " << set;
  }
}

TEST(LutEditPointsTest, LeftDragAddsAwayFromPointsAndMovesTheFirstNearOne) {
  LutEditPoints points;
  EXPECT_TRUE(points.LeftDrag(100, 100));  // far from both ends: added
  EXPECT_EQ(ListOf(points), (std::vector<EditPoint>{{0, 256}, {100, 100}, {256, 0}}));
  EXPECT_TRUE(points.LeftDrag(120, 110));  // within 32: moved
  EXPECT_EQ(points.Count(), 3);
  EXPECT_EQ(points.Point(1), (EditPoint{120, 110}));
  EXPECT_TRUE(points.LeftDrag(20, 230));  // the first point in x order within reach
  EXPECT_EQ(points.Point(0), (EditPoint{20, 230}));
  EXPECT_FALSE(points.LeftDrag(257, 10));  // outside the graph
  EXPECT_FALSE(points.LeftDrag(10, -1));

  // Fifteen points take no sixteenth; sixteen from a table neither.
  std::vector<EditPoint> fifteen;
  for (int i = 0; i < 15; ++i) fifteen.push_back({i * 16, 0});
  points = PointsOf(fifteen);
  EXPECT_FALSE(points.LeftDrag(250, 250));
  EXPECT_EQ(points.Count(), 15);
  points.ConvertFrom(DeriveLutTable(LutEditPoints()), 16);
  EXPECT_FALSE(points.LeftDrag(250, 250));
  EXPECT_EQ(points.Count(), 16);
}

TEST(LutEditPointsTest, RightDragRemovesInnerPointsOnly) {
  LutEditPoints points = PointsOf({{0, 256}, {100, 100}, {200, 50}, {256, 0}});
  EXPECT_FALSE(points.RightDrag(5, 250));    // the first point stays
  EXPECT_FALSE(points.RightDrag(250, 5));    // the last one too
  EXPECT_FALSE(points.RightDrag(100, 120));  // 20 pixels off: out of reach
  EXPECT_TRUE(points.RightDrag(110, 110));
  EXPECT_EQ(ListOf(points), (std::vector<EditPoint>{{0, 256}, {200, 50}, {256, 0}}));
  EXPECT_TRUE(points.RightDrag(200, 50));
  EXPECT_FALSE(points.RightDrag(0, 256));
  EXPECT_EQ(points.Count(), 2);
}

TEST(LutEditPointsTest, ConvertEditableSamplesTheTableAndKeepsItsLastLevel) {
  LutTable table{};
  for (int k = 0; k < kLutEntries; ++k) table[k] = 4095 - 16 * k;  // inverted
  LutEditPoints points;
  points.ConvertFrom(table, 2);
  EXPECT_EQ(ListOf(points), (std::vector<EditPoint>{{0, 0}, {256, 255}}));
  points.ConvertFrom(DeriveLutTable(LutEditPoints()), 5);
  EXPECT_EQ(ListOf(points),
            (std::vector<EditPoint>{{0, 256}, {64, 192}, {128, 128}, {192, 64}, {256, 0}}));
  points.Clear();
  EXPECT_EQ(ListOf(points), (std::vector<EditPoint>{{0, 256}, {256, 0}}));
}

}  // namespace
}  // namespace cct
