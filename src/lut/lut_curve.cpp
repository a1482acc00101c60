#include "lut/lut_curve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <utility>

namespace cct {

namespace {

constexpr double kStep = 0.002;
// Never more samples than this, whatever rounding the steps collect.
constexpr size_t kMaxSamples = 8000;
// Larger than any distance a sample can have; no sample is that far.
constexpr int kNoDistance = 999999;

uint32_t OutputLevel(double y) {
  const double level = (kGraphSize - y) * 16.0;
  // Truncated towards zero, then kept to the 12 bits.
  const double truncated = std::trunc(level);
  if (!(truncated > 0)) return 0;
  return truncated > kLutMaxLevel ? kLutMaxLevel : static_cast<uint32_t>(truncated);
}

// The whole part of an entry's distance to a sample, as the rule takes it.
double Distance(uint32_t input, double sample) {
  return std::fabs(static_cast<double>(input) - 16.0 * sample);
}

// The smallest original index in ranges of the samples sorted by x: a
// sparse table built once, answering each range in two look-ups.
class MinIndex {
 public:
  explicit MinIndex(const std::vector<int>& order) {
    levels_.push_back(order);
    for (size_t width = 1; 2 * width <= order.size(); width *= 2) {
      const std::vector<int>& prev = levels_.back();
      std::vector<int> next(prev.size() - width);
      for (size_t i = 0; i < next.size(); ++i) next[i] = std::min(prev[i], prev[i + width]);
      levels_.push_back(std::move(next));
    }
  }
  // Over [first, last), not empty.
  int Of(size_t first, size_t last) const {
    size_t level = 0;
    while ((size_t{2} << level) <= last - first) ++level;
    const std::vector<int>& row = levels_[level];
    return std::min(row[first], row[last - (size_t{1} << level)]);
  }

 private:
  std::vector<std::vector<int>> levels_;
};

}  // namespace

NaturalSpline::NaturalSpline(std::vector<double> values) : v_(std::move(values)) {
  const size_t n = v_.size();
  b_.assign(n, 0.0);
  c_.assign(n, 0.0);
  d_.assign(n, 0.0);
  if (n < 2) return;
  const size_t m = n - 1;
  std::vector<double> w(n, 0.0);
  for (size_t i = 1; i < m; ++i) {
    const double r = 3.0 * (v_[i - 1] - 2.0 * v_[i] + v_[i + 1]);
    c_[i] = (r - c_[i - 1]) / (4.0 - w[i - 1]);
    w[i] = 1.0 / (4.0 - w[i - 1]);
  }
  for (size_t i = m - 1; i >= 1; --i) c_[i] -= w[i] * c_[i + 1];
  for (size_t i = 0; i < m; ++i) {
    d_[i] = (c_[i + 1] - c_[i]) / 3.0;
    b_[i] = v_[i + 1] - v_[i] - c_[i] - d_[i];
  }
}

double NaturalSpline::operator()(double t) const {
  if (v_.empty()) return 0.0;
  if (v_.size() == 1) return v_[0];
  const double last = static_cast<double>(v_.size() - 2);
  const double k = std::clamp(std::floor(t), 0.0, last);
  const size_t i = static_cast<size_t>(k);
  const double u = t - k;
  return ((d_[i] * u + c_[i]) * u + b_[i]) * u + v_[i];
}

const LutTable& LutInputLevels() {
  static const LutTable levels = [] {
    LutTable table{};
    for (int k = 0; k < kLutEntries; ++k) table[k] = static_cast<uint32_t>(16 * k);
    table[kLutEntries - 1] = kLutMaxLevel;
    return table;
  }();
  return levels;
}

CurveSamples SampleCurve(const LutEditPoints& points) {
  std::vector<double> xs, ys;
  for (int i = 0; i < points.Count(); ++i) {
    xs.push_back(points.Point(i).x);
    ys.push_back(points.Point(i).y);
  }
  const NaturalSpline x(std::move(xs));
  const NaturalSpline y(std::move(ys));
  CurveSamples samples;
  samples.x.reserve(kMaxSamples);
  samples.y.reserve(kMaxSamples);
  // Repeated addition, not i * step: the sums' rounding decides whether the
  // last step still counts, and with it how many samples there are.
  const double end = points.Count();
  for (double t = 0.0; t <= end && samples.x.size() < kMaxSamples; t += kStep) {
    samples.x.push_back(x(t));
    samples.y.push_back(y(t));
  }
  return samples;
}

LutTable DeriveLutTableByScan(const LutEditPoints& points) {
  const CurveSamples samples = SampleCurve(points);
  const LutTable& inputs = LutInputLevels();
  LutTable output{};
  for (int k = 0; k < kLutEntries; ++k) {
    int best = kNoDistance;
    size_t chosen = 0;
    for (size_t j = 0; j < samples.x.size(); ++j) {
      const double e = Distance(inputs[k], samples.x[j]);
      if (best > e) {
        best = static_cast<int>(e);
        chosen = j;
      }
    }
    output[k] = OutputLevel(samples.y[chosen]);
  }
  return output;
}

LutTable DeriveLutTable(const LutEditPoints& points) {
  // A later sample replaces the chosen one only when its distance is below
  // the whole part of the chosen one's, so the choice is the earliest sample
  // of the smallest whole distance. Sorted by x, the whole distances fall
  // towards the input level and rise beyond it: the nearest samples on
  // either side give that smallest distance, and the samples sharing it lie
  // together around them.
  const CurveSamples samples = SampleCurve(points);
  const size_t n = samples.x.size();
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return samples.x[a] < samples.x[b] || (samples.x[a] == samples.x[b] && a < b);
  });
  const MinIndex earliest(order);
  const LutTable& inputs = LutInputLevels();
  LutTable output{};
  for (int k = 0; k < kLutEntries; ++k) {
    const uint32_t input = inputs[k];
    auto whole = [&](int j) { return std::floor(Distance(input, samples.x[j])); };
    // The first sample at or beyond the input level.
    const auto split = std::partition_point(order.begin(), order.end(),
                                            [&](int j) { return 16.0 * samples.x[j] < input; });
    double nearest = kNoDistance;
    if (split != order.begin()) nearest = std::min(nearest, whole(*(split - 1)));
    if (split != order.end()) nearest = std::min(nearest, whole(*split));
    size_t chosen = 0;
    if (nearest < kNoDistance) {
      // Below the level the far samples come first, above it the near ones.
      const auto first =
          std::partition_point(order.begin(), split, [&](int j) { return whole(j) > nearest; });
      const auto last =
          std::partition_point(split, order.end(), [&](int j) { return whole(j) <= nearest; });
      chosen = static_cast<size_t>(earliest.Of(static_cast<size_t>(first - order.begin()),
                                               static_cast<size_t>(last - order.begin())));
    }
    output[k] = OutputLevel(samples.y[chosen]);
  }
  return output;
}

}  // namespace cct
