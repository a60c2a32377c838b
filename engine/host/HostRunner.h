#pragma once
// Runs one script the way the console host does: logo, reading and decoding the file, the
// script on a thread of its own (deep recursion needs a large stack), the time-out, error
// messages and the exit code.

#include <string>
#include <vector>

namespace quillet::engine::host {

// argv without the program name; hostPath is this executable. Returns the exit code.
int RunHost(const std::vector<std::string>& args, const std::string& hostPath);

}  // namespace quillet::engine::host
