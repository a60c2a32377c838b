#pragma once
// The security settings a moniker or a script gives a connection. This system has one user and
// no remote transport, so they change nothing; they are kept so that scripts read back what
// they set and so that a malformed setting fails as it would on Windows.

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::engine {

struct SWbemPrivilegeSetting {
  std::u16string name;  // as written: "Shutdown", "SeDebugPrivilege"
  bool enabled = true;
};

struct SWbemSecuritySettings {
  int32_t impersonationLevel = 3;  // impersonate: what Windows' scripting objects default to
  int32_t authenticationLevel = 0;  // default
  std::vector<SWbemPrivilegeSetting> privileges;
  std::u16string authority;
  std::u16string locale;
};

}  // namespace quillet::engine
