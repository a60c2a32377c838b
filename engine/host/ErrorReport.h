#pragma once
// How a host words a script's error: one line on the console, in the form the editor's error
// search reads, or the labelled lines of the windowed host's error box.

#include <string>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine::host {

// "<path>(<line>, <column>) VBScript runtime error: <text>\r\n"
[[nodiscard]] std::u16string ConsoleErrorText(const CScriptError& error, const std::u16string& path);
// "Script:\t<path>\nLine:\t<line>\nChar:\t<column>\nError:\t<text>\nCode:\t800A000D\nSource: \t<source>"
[[nodiscard]] std::u16string WindowErrorText(const CScriptError& error, const std::u16string& path);

}  // namespace quillet::engine::host
