#pragma once
// Runs a script that reports through the Log object (LogObject.h) and answers its lines, then
// "error N" when it ended with a runtime error: one string a test compares.

#include <string>
#include <string_view>

#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"
#include "LogObject.h"

namespace quillet::engine {

// given: an engine the test prepared (named items of its own); a fresh one otherwise.
inline std::string RunLogged(std::u16string_view source, CScriptEngine* given = nullptr) {
  CScriptEngine own;
  CScriptEngine& engine = given != nullptr ? *given : own;
  auto* log = new CLogObject();
  engine.AddNamedItem(u"Log", CVariant::Object(log));
  std::string tail;
  try {
    engine.Run(source);
  } catch (const CScriptError& e) {
    tail = "error " + std::to_string(e.Number());
  }
  std::string out = platform::Utf16ToUtf8(log->lines) + tail;
  engine.Close();
  return out;
}

}  // namespace quillet::engine
