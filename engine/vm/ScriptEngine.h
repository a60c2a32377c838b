#pragma once
// One script's engine: global table, virtual machine, Err, and everything compiled so far.
// Hosts add their named objects, then run source text.

#include <memory>
#include <string_view>
#include <vector>

#include "engine/compiler/Compiler.h"
#include "engine/runtime/ErrObject.h"
#include "engine/vm/Globals.h"
#include "engine/vm/RuntimeState.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

class CScriptEngine {
 public:
  CScriptEngine();
  ~CScriptEngine();
  CScriptEngine(const CScriptEngine&) = delete;
  CScriptEngine& operator=(const CScriptEngine&) = delete;

  void AddNamedItem(std::u16string_view name, const CVariant& object);
  // Compiles the whole text, then runs its global code. Throws CScriptError (its Kind() says
  // compilation or runtime, with a position) or SScriptStop.
  void Run(std::u16string_view source);
  // Only compiles; for tests and tools. Throws CScriptError (compilation).
  void CompileOnly(std::u16string_view source);
  // Run in two steps, for a debugger that needs the code's lines before the script starts.
  [[nodiscard]] const SCompiledUnit& Load(std::u16string_view source);
  void RunLoaded(const SCompiledUnit& unit);
  // Releases every global (Class_Terminate runs for objects nobody else holds).
  void Close();

  [[nodiscard]] CVirtualMachine& Vm() { return m_vm; }
  [[nodiscard]] CErrObject& Err() { return *m_err; }
  // Random generator, locale and dialogs of this script; current on the thread while it runs.
  [[nodiscard]] SRuntimeState& Runtime() { return m_runtime; }

 private:
  SCompiledUnit& Compile(std::u16string_view source);

  SRuntimeState m_runtime;
  CGlobals m_globals;
  CErrObject* m_err;
  CVariant m_errHolder;
  CVirtualMachine m_vm;
  std::vector<std::unique_ptr<SCompiledUnit>> m_units;
  bool m_closed = false;
};

}  // namespace quillet::engine
