// Arbitrary source text to the lexer, parser and compiler; what compiles also runs, with a
// bound on statements and call depth so that every input ends. Input: UTF-8 bytes, or UTF-16LE
// after an FF FE mark, as the host reads script files.

#include <cstdint>
#include <string_view>

#include "engine/vm/ScriptEngine.h"
#include "engine/runtime/ScriptError.h"
#include "engine/host/ScriptSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillet::engine;
  const std::u16string source =
      host::DecodeScript(std::string_view(reinterpret_cast<const char*>(data), size));
  CScriptEngine engine;
  engine.Vm().SetStepLimit(20000);
  engine.Vm().SetMaxCallDepth(64);
  try {
    engine.Run(source);
  } catch (const CScriptError&) {
  } catch (const SScriptStop&) {
  }
  return 0;
}
