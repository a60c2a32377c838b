#pragma once
// The errors the shell objects raise beyond the language's own: Windows' numbers for failures
// of the system, and one clear error for what this system cannot do (rather than doing nothing).

#include <string>
#include <string_view>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine::wsh {

inline constexpr int kFileNotFound = static_cast<int>(0x80070002u);
inline constexpr int kUnspecifiedError = static_cast<int>(0x80004005u);
inline constexpr int kActionNotSupported = 445;

[[noreturn]] inline void ThrowNotAvailable(std::u16string_view what) {
  throw CScriptError(kActionNotSupported, std::u16string(what) + u" is not available on this system.");
}

}  // namespace quillet::engine::wsh
