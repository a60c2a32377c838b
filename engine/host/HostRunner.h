#pragma once
// Runs one script the way both hosts do: logo, reading and decoding the file, the script on a
// thread of its own (deep recursion needs a large stack), the time-out, error messages and
// the exit code. The console host writes its messages; the windowed host shows them in
// message boxes when it has a display.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/vm/RuntimeState.h"

namespace quillet::engine {
class CScriptEngine;
struct SCompiledUnit;
}  // namespace quillet::engine

namespace quillet::engine::host {

enum class EHostKind { Console, Windowed };

// The debugger a host started with //D runs its script under (engine/debug).
class IHostDebugger {
 public:
  virtual ~IHostDebugger() = default;
  virtual void ScriptEnded(int exitCode) = 0;
};
// Called on the script's thread with the compiled script, before it runs: connects to a
// debugger and returns once the script may run; null when no debugger takes it, and the script
// then runs as it would without //D.
using HostDebuggerFactory = std::function<std::unique_ptr<IHostDebugger>(
    CScriptEngine& engine, const SCompiledUnit& unit, const std::u16string& source, const std::u16string& path)>;

struct SHostSetup {
  EHostKind kind = EHostKind::Console;
  // The host's windows, used on the main thread only; null when there is no display.
  IHostDialogs* windows = nullptr;
  // How //D finds its debugger; none: //D changes nothing.
  HostDebuggerFactory debugger;
};

// argv without the program name; hostPath is this executable. Returns the exit code.
int RunHost(const std::vector<std::string>& args, const std::string& hostPath, const SHostSetup& setup = {});

}  // namespace quillet::engine::host
