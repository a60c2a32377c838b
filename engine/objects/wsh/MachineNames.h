#pragma once
// What scripts expect of a Windows machine, answered from this one: the user and machine names,
// the environment variables Windows always sets, and the shell's special folders. Shared by
// WScript.Shell and WScript.Network so that both tell the same story; the mappings are listed in
// the README.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::engine::wsh {

[[nodiscard]] std::u16string UserName();
[[nodiscard]] std::u16string ComputerName();
// The machine's DNS domain, else its name, as a machine outside a domain answers.
[[nodiscard]] std::u16string UserDomain();
[[nodiscard]] std::u16string UserProfile();

// The process's variable of that name (exact spelling first, then ignoring case, as Windows
// compares names), else the value this system gives a name Windows always sets.
[[nodiscard]] std::optional<std::u16string> ProcessVariable(std::u16string_view name);
// %NAME% replaced where NAME is known; unknown names and a lone % stay as written.
[[nodiscard]] std::u16string ExpandVariables(std::u16string_view text);

struct SSpecialFolder {
  std::u16string name;
  std::u16string path;
};
// Every special folder, in the order Windows lists them.
[[nodiscard]] std::vector<SSpecialFolder> SpecialFolders();

}  // namespace quillet::engine::wsh
