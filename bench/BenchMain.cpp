#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace quillet::bench {
namespace {

class CRecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) {
        m_seconds[run.benchmark_name()] =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  [[nodiscard]] const std::map<std::string, double>& Seconds() const { return m_seconds; }

 private:
  std::map<std::string, double> m_seconds;
};

}  // namespace

int RunWithRatios(int argc, char** argv, const std::vector<SRatio>& ratios) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  CRecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  bool allWithin = true;
  std::printf("\n%-44s %12s %12s %8s %8s\n", "figure", "measured", "baseline", "ratio", "limit");
  for (const SRatio& ratio : ratios) {
    const auto measured = reporter.Seconds().find(ratio.measured);
    const auto baseline = reporter.Seconds().find(ratio.baseline);
    if (measured == reporter.Seconds().end() || baseline == reporter.Seconds().end()) continue;
    const double value = measured->second / baseline->second;
    allWithin = allWithin && value <= ratio.limit;
    std::printf("%-44s %10.3fms %10.3fms %7.2fx %7.2fx %s\n", ratio.measured.c_str(),
                measured->second * 1e3, baseline->second * 1e3, value, ratio.limit,
                value <= ratio.limit ? "ok" : "OVER");
  }
  return allWithin ? 0 : 2;
}

}  // namespace quillet::bench
