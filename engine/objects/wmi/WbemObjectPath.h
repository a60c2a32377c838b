#pragma once
// Object paths as scripts write them for Get and monikers: [\\server\namespace:]Class, Class=@,
// Class.Key="value",Key2=12 or Class="value" (the one key, unnamed). Malformed text throws
// CScriptError 0x8004103A (invalid object path).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillet::engine {

struct SWbemObjectPath {
  std::u16string className;
  bool singleton = false;  // Class=@
  // Key name (empty for Class="value") and value, quotes removed.
  std::vector<std::pair<std::u16string, std::u16string>> keys;
};

[[nodiscard]] SWbemObjectPath ParseObjectPath(std::u16string_view text);

}  // namespace quillet::engine
