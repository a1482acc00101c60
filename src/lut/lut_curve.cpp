#include "lut/lut_curve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace cct {

namespace {

constexpr double kStep = 0.002;
// Never more samples than this, whatever rounding the steps collect.
constexpr size_t kMaxSamples = 8000;
// Larger than any distance a sample can have; no sample is that far.
constexpr int kNoDistance = 999999;
// Steps taken one by one before a binary search takes over.
constexpr int kWalkLimit = 32;

// floor() for the small values here, without a library call per sample.
double Floor(double value) {
  const double truncated = static_cast<double>(static_cast<int64_t>(value));
  return truncated > value ? truncated - 1.0 : truncated;
}

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

// A sample's x as the input level it stands for, and its place in the
// sampling order.
struct Ordered {
  double level;
  int index;
};

// The samples by level, then by place. Consecutive samples lie close
// together, so they are put into buckets of one level unit first and only
// the few in a bucket are compared.
// Derivations follow every move of the pointer: their buffers are kept
// rather than taken from and given back to the system each time.
struct Scratch {
  std::vector<Ordered> samples;
  std::vector<Ordered> sorted;
  std::vector<int> starts;
  std::vector<int> next;
};

Scratch& TheScratch() {
  thread_local Scratch scratch;
  return scratch;
}

const std::vector<Ordered>& SortByLevel(const std::vector<double>& x) {
  Scratch& scratch = TheScratch();
  std::vector<Ordered>& samples = scratch.samples;
  samples.resize(x.size());
  bool rising = true;
  for (size_t j = 0; j < x.size(); ++j) {
    samples[j] = {16.0 * x[j], static_cast<int>(j)};
    if (j > 0 && !(samples[j - 1].level <= samples[j].level)) rising = false;
  }
  // A curve that never turns back in x is in order already.
  if (samples.empty() || rising) return samples;
  auto [low, high] =
      std::minmax_element(samples.begin(), samples.end(),
                          [](const Ordered& a, const Ordered& b) { return a.level < b.level; });
  const double lowest = Floor(low->level);
  const double span = Floor(high->level) - lowest + 1;
  auto byLevel = [](const Ordered& a, const Ordered& b) {
    return a.level < b.level || (a.level == b.level && a.index < b.index);
  };
  // A curve far outside the graph would need too many buckets.
  if (!(span <= 1 << 16) || !(std::fabs(low->level) < 1e9 && std::fabs(high->level) < 1e9)) {
    std::sort(samples.begin(), samples.end(), byLevel);
    return samples;
  }
  std::vector<int>& starts = scratch.starts;
  starts.assign(static_cast<size_t>(span) + 1, 0);
  auto bucket = [&](const Ordered& s) { return static_cast<size_t>(Floor(s.level) - lowest); };
  for (const Ordered& s : samples) ++starts[bucket(s) + 1];
  for (size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
  std::vector<Ordered>& sorted = scratch.sorted;
  sorted.resize(samples.size());
  std::vector<int>& next = scratch.next;
  next.assign(starts.begin(), starts.end() - 1);
  for (const Ordered& s : samples) sorted[next[bucket(s)]++] = s;
  for (size_t b = 0; b + 1 < starts.size(); ++b) {
    if (starts[b + 1] - starts[b] > 1) {
      std::sort(sorted.begin() + starts[b], sorted.begin() + starts[b + 1], byLevel);
    }
  }
  return sorted;
}

// The earliest sample in a range of the sorted samples. Ranges are short
// unless the curve runs straight up, where many samples share a level; a
// table of minima over power-of-two spans is built for those, once.
class EarliestSample {
 public:
  explicit EarliestSample(const std::vector<Ordered>& sorted) : sorted_(sorted) {}

  int In(size_t first, size_t last) {
    constexpr size_t kScanLimit = 64;
    if (last - first <= kScanLimit) {
      int earliest = sorted_[first].index;
      for (size_t i = first + 1; i < last; ++i) earliest = std::min(earliest, sorted_[i].index);
      return earliest;
    }
    if (levels_.empty()) Build();
    size_t level = 0;
    while ((size_t{2} << level) <= last - first) ++level;
    const std::vector<int>& row = levels_[level];
    return std::min(row[first], row[last - (size_t{1} << level)]);
  }

 private:
  void Build() {
    std::vector<int> base(sorted_.size());
    for (size_t i = 0; i < sorted_.size(); ++i) base[i] = sorted_[i].index;
    levels_.push_back(std::move(base));
    for (size_t width = 1; 2 * width <= sorted_.size(); width *= 2) {
      const std::vector<int>& prev = levels_.back();
      std::vector<int> row(prev.size() - width);
      for (size_t i = 0; i < row.size(); ++i) row[i] = std::min(prev[i], prev[i + width]);
      levels_.push_back(std::move(row));
    }
  }

  const std::vector<Ordered>& sorted_;
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

void NaturalSpline::Locate(double t, size_t& piece, double& u) const {
  const double last = v_.size() < 2 ? 0.0 : static_cast<double>(v_.size() - 2);
  const double k = std::clamp(std::floor(t), 0.0, last);
  piece = static_cast<size_t>(k);
  u = t - k;
}

double NaturalSpline::operator()(double t) const {
  size_t piece = 0;
  double u = 0;
  Locate(t, piece, u);
  return At(piece, u);
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
  samples.x.resize(kMaxSamples);
  samples.y.resize(kMaxSamples);
  // Repeated addition, not i * step: the sums' rounding decides whether the
  // last step still counts, and with it how many samples there are.
  const double end = points.Count();
  // Both splines have the same knots, and t only grows: the piece moves on
  // as t passes each knot, up to the last piece.
  const size_t lastPiece = points.Count() - 2;
  size_t piece = 0;
  size_t n = 0;
  for (double t = 0.0; t <= end && n < kMaxSamples; t += kStep, ++n) {
    while (piece < lastPiece && t >= static_cast<double>(piece + 1)) ++piece;
    const double u = t - static_cast<double>(piece);
    samples.x[n] = x.At(piece, u);
    samples.y[n] = y.At(piece, u);
  }
  samples.x.resize(n);
  samples.y.resize(n);
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
  // of the smallest whole distance. Sorted by level, the whole distances
  // fall towards the input level and rise beyond it: the nearest samples on
  // either side give that smallest distance, and the samples sharing it lie
  // together around them.
  const CurveSamples samples = SampleCurve(points);
  const std::vector<Ordered>& sorted = SortByLevel(samples.x);
  EarliestSample earliest(sorted);
  const LutTable& inputs = LutInputLevels();
  LutTable output{};
  // The input levels rise with k, so the first sample at or beyond each
  // one only moves on.
  auto split = sorted.begin();
  for (int k = 0; k < kLutEntries; ++k) {
    const double input = inputs[k];
    // As the scan computes it, so both round alike; never negative, so the
    // whole part is the truncation.
    auto whole = [&](const Ordered& s) { return std::trunc(std::fabs(input - s.level)); };
    while (split != sorted.end() && split->level < input) ++split;
    double nearest = kNoDistance;
    if (split != sorted.begin()) nearest = std::min(nearest, whole(*(split - 1)));
    if (split != sorted.end()) nearest = std::min(nearest, whole(*split));
    size_t chosen = 0;
    if (nearest < kNoDistance) {
      // Below the level the far samples come first, above it the near ones;
      // the run sharing the nearest distance is short unless the curve runs
      // straight up there.
      auto first = split;
      for (int steps = 0; first != sorted.begin() && whole(*(first - 1)) <= nearest; ++steps) {
        if (steps == kWalkLimit) {
          first = std::partition_point(sorted.begin(), first,
                                       [&](const Ordered& s) { return whole(s) > nearest; });
          break;
        }
        --first;
      }
      auto last = split;
      for (int steps = 0; last != sorted.end() && whole(*last) <= nearest; ++steps) {
        if (steps == kWalkLimit) {
          last = std::partition_point(last, sorted.end(),
                                      [&](const Ordered& s) { return whole(s) <= nearest; });
          break;
        }
        ++last;
      }
      chosen = static_cast<size_t>(earliest.In(static_cast<size_t>(first - sorted.begin()),
                                               static_cast<size_t>(last - sorted.begin())));
    }
    output[k] = OutputLevel(samples.y[chosen]);
  }
  return output;
}

}  // namespace cct
