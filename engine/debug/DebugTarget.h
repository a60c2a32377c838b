#pragma once
// The script a protocol session debugs, whoever made it: quillet-dap launches one (CDebugRun),
// a host started with //D hands over its own (CHostDebugConnection).

#include <string>

#include "engine/debug/ScriptDebugger.h"
#include "engine/debug/VariableInspector.h"

namespace quillet::engine::debug {

class IDebugTarget {
 public:
  virtual ~IDebugTarget() = default;
  [[nodiscard]] virtual CScriptDebugger& Debugger() = 0;
  [[nodiscard]] virtual CVariableInspector& Inspector() = 0;
  [[nodiscard]] virtual const std::string& ProgramPath() const = 0;
  // The text of a line counted from 1; empty beyond the end.
  [[nodiscard]] virtual std::u16string SourceLine(int line) const = 0;
  // The client has set its breakpoints: the script may start.
  virtual void Go() = 0;
  // Ends the script wherever it is.
  virtual void Terminate() = 0;
  // True once the script is over, waiting at most this long.
  virtual bool WaitEnded(int milliseconds) = 0;
};

// The text of a line of source, counted from 1.
[[nodiscard]] std::u16string LineOfText(const std::u16string& source, int line);

}  // namespace quillet::engine::debug
