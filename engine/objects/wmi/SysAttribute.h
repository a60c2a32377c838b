#pragma once
// The attribute files of /sys: one short value a file, ended by a newline. Many are readable
// only by the administrator, and a driver may leave one empty: both give nothing, so that the
// property it would fill stays Null rather than showing an empty or made-up value.

#include <optional>
#include <string>
#include <vector>

namespace quillet::engine::machine {

// The value without its surrounding white space; nullopt when unreadable or blank.
[[nodiscard]] std::optional<std::string> SysAttribute(const std::string& path);
// The entries of a folder (not "." and ".."), sorted by name; empty when it cannot be read.
[[nodiscard]] std::vector<std::string> FolderEntries(const std::string& folder);

}  // namespace quillet::engine::machine
