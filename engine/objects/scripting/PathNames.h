#pragma once
// The path functions of FileSystemObject that read the string alone, with Windows' results for
// drive paths ("C:\a\b.txt"), network paths ("\\server\share\a") and POSIX paths ("/a/b") alike:
// '/' and '\' both separate names. Nothing is looked up on disk.

#include <string>
#include <string_view>

namespace quillet::engine {

// path and name joined by one separator ('\') where neither brings one; "C:" and a name join
// as "C:name", as Windows joins them.
[[nodiscard]] std::u16string BuildPath(std::u16string_view path, std::u16string_view name);
// "C:" or "\\server\share"; empty for any other path.
[[nodiscard]] std::u16string GetDriveName(std::u16string_view path);
// Everything before the last name, without the separators between; a root keeps its separator
// ("C:\a" gives "C:\", "/a" gives "/"); empty when there is no parent.
[[nodiscard]] std::u16string GetParentFolderName(std::u16string_view path);
// The last name, trailing separators aside; empty for a root.
[[nodiscard]] std::u16string GetFileName(std::u16string_view path);
// The last name without its extension (".profile" has an empty base name).
[[nodiscard]] std::u16string GetBaseName(std::u16string_view path);
// What follows the last dot of the last name.
[[nodiscard]] std::u16string GetExtensionName(std::u16string_view path);
// A random name of the form "radXXXXX.tmp" (five hexadecimal digits), as GetTempName makes.
[[nodiscard]] std::u16string NewTempName();

}  // namespace quillet::engine
