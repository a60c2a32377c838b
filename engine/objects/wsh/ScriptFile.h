#pragma once
// A path a script gives the shell (a shortcut's file, the current folder), read as every object
// reads paths: drive letters through the drive map, '\' and '/' both separating names.

#include <string>
#include <string_view>

namespace quillet::engine::wsh {

struct SScriptFile {
  std::u16string scriptPath;  // absolute, in the form it came in (drive or POSIX)
  std::string hostPath;       // the file's name on Linux
};

// Throws Windows' errors for a letter that names no folder (71), a network share (76) and a
// name no file can have (52).
[[nodiscard]] SScriptFile ResolveScriptFile(std::u16string_view text);

}  // namespace quillet::engine::wsh
