#pragma once
// Timing helpers shared by the plain benchmark programs (those that do not run under the
// benchmark library): a piece of work's wall time, and the median of repeated figures.

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace quillet::bench {

inline double MillisecondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

}  // namespace quillet::bench
