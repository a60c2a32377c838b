#pragma once
// What the FileSystemObject tests share: the number of the script error a call raises.

#include <functional>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine::test {

// 0 when the call raises nothing.
inline int ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const CScriptError& error) {
    return error.Number();
  }
  return 0;
}

}  // namespace quillet::engine::test
