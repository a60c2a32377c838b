#pragma once
// Runs one script the way both hosts do: logo, reading and decoding the file, the script on a
// thread of its own (deep recursion needs a large stack), the time-out, error messages and
// the exit code. The console host writes its messages; the windowed host shows them in
// message boxes when it has a display.

#include <string>
#include <vector>

#include "engine/vm/RuntimeState.h"

namespace quillet::engine::host {

enum class EHostKind { Console, Windowed };

struct SHostSetup {
  EHostKind kind = EHostKind::Console;
  // The host's windows, used on the main thread only; null when there is no display.
  IHostDialogs* windows = nullptr;
};

// argv without the program name; hostPath is this executable. Returns the exit code.
int RunHost(const std::vector<std::string>& args, const std::string& hostPath, const SHostSetup& setup = {});

}  // namespace quillet::engine::host
