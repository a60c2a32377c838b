#pragma once
// Runs a helper program (systemctl and its like) to completion and collects what it printed,
// within a time limit: a provider must answer a script even when the helper hangs. Standard
// input is empty; standard output and error are read together, up to a size limit.

#include <string>
#include <vector>

namespace quillet::engine {

struct SCommandResult {
  bool started = false;   // false when the program could not be run at all
  bool timedOut = false;  // ended by us after the time limit
  int exitCode = -1;      // its exit status, 128 + signal when a signal ended it
  std::string output;     // standard output and standard error, interleaved
};

[[nodiscard]] SCommandResult RunBounded(const std::vector<std::string>& argv, int timeoutMs);

}  // namespace quillet::engine
