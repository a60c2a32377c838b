#pragma once
// The winmgmts: monikers of GetObject, read the way Windows reads them:
//   winmgmts:[{security}][[locale=...]][!][\\server\]namespace[:object path]
// where the part after "!" (or after "winmgmts:" when no settings come first) is an object
// path: "\\.\root\cimv2", "root\cimv2:Win32_Process", "Win32_Service.Name='cron'".
// Malformed text throws CScriptError with the moniker syntax error (0x800401E4).

#include <string>
#include <string_view>

#include "engine/objects/wmi/WbemSecuritySettings.h"

namespace quillet::engine {

struct SWbemMoniker {
  SWbemSecuritySettings security;
  std::u16string server = u".";
  std::u16string nameSpace;   // empty: the default namespace, root\cimv2
  std::u16string objectPath;  // empty: the moniker names the namespace itself
};

// True when text begins with "winmgmts:" in any case.
[[nodiscard]] bool IsWbemMoniker(std::u16string_view text);
[[nodiscard]] SWbemMoniker ParseWbemMoniker(std::u16string_view text);

}  // namespace quillet::engine
