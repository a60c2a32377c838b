#pragma once
// Benchmarks are judged against a baseline measured in the same run, since the machines are
// shared and noisy. RunWithRatios runs every registered benchmark, then prints one line per
// pair: the measured figure, the baseline's, and the ratio with the target it must stay under.

#include <string>
#include <vector>

namespace quillet::bench {

struct SRatio {
  std::string measured;  // benchmark name, as registered
  std::string baseline;
  double limit;          // the ratio the figure must not exceed
};

int RunWithRatios(int argc, char** argv, const std::vector<SRatio>& ratios);

}  // namespace quillet::bench
