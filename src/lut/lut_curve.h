#pragma once

#include <cstddef>
#include <vector>

#include "lut/lut_edit_points.h"
#include "lut/lut_table.h"

namespace cct {

// A natural cubic spline through values at the knots t = 0, 1, ..., n-1;
// beyond the last knot the last piece goes on.
class NaturalSpline {
 public:
  explicit NaturalSpline(std::vector<double> values);
  double operator()(double t) const;
  // The piece that holds t and the offset into it, then the value there:
  // splines over the same knots share the first.
  void Locate(double t, size_t& piece, double& u) const;
  double At(size_t piece, double u) const {
    if (v_.size() < 2) return v_.empty() ? 0.0 : v_[0];
    return ((d_[piece] * u + c_[piece]) * u + b_[piece]) * u + v_[piece];
  }

 private:
  std::vector<double> v_, b_, c_, d_;
};

// The input level each table entry stands for: 16 k, the last one 4095.
const LutTable& LutInputLevels();

// The curve through the edit points, sampled every 0.002 along the point
// index from 0 up to one past the last point: X and Y in graph pixels.
struct CurveSamples {
  std::vector<double> x;
  std::vector<double> y;
};
CurveSamples SampleCurve(const LutEditPoints& points);

// The output table the edit points give. For each entry the sample whose x
// lies nearest its input level is taken, distances compared by their whole
// part, the earliest sample winning among equals; its y gives the level.
LutTable DeriveLutTable(const LutEditPoints& points);
// The same by comparing every entry with every sample in turn, as the rule
// reads; for tests and the benchmark.
LutTable DeriveLutTableByScan(const LutEditPoints& points);

}  // namespace cct
