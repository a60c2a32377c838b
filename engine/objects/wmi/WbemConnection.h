#pragma once
// A connection to one namespace of this computer. There is no remote transport: another
// computer fails at once with Windows' error for an unreachable server, never after a wait.

#include <memory>
#include <string>
#include <string_view>

#include "engine/objects/wmi/WbemSecuritySettings.h"

namespace quillet::engine {

struct SWbemConnection {
  std::u16string server;     // as the script named it; "." when it named none
  std::u16string nameSpace;  // the namespace's own spelling: "root\cimv2"
  // Shared with the SWbemSecurity objects that scripts change it through.
  std::shared_ptr<SWbemSecuritySettings> security;
};

// True for the names this computer answers to: "", ".", "localhost", its host name (with or
// without its domain) and the loopback addresses.
[[nodiscard]] bool IsThisComputer(std::u16string_view server);

// Throws CScriptError: 0x800706BA for another computer, 0x8004100E for a namespace this system
// does not have, 0x80041064 for a user name on a local connection (as Windows refuses it).
[[nodiscard]] SWbemConnection ConnectWbem(std::u16string_view server, std::u16string_view nameSpace,
                                          std::u16string_view user, const SWbemSecuritySettings& security);

}  // namespace quillet::engine
