#pragma once
// The privileges a script may ask for, by number (WbemPrivilegeEnum), by the name the system
// gives them (SeShutdownPrivilege) or by the short name monikers use (Shutdown). One user and
// no remote transport here: asking changes nothing, but scripts read back what they asked.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet::engine {

// 0 when the text names no privilege; either name form, without regard to case.
[[nodiscard]] int32_t PrivilegeNumber(std::u16string_view name);
// "SeShutdownPrivilege"; empty outside 1 to 27.
[[nodiscard]] std::u16string PrivilegeName(int32_t number);
// "Shutdown", the short form, in words for reading: "Remote Shutdown".
[[nodiscard]] std::u16string PrivilegeDisplayName(int32_t number);

}  // namespace quillet::engine
