#pragma once
// The providers of the software a script manages: StdRegProv (in root\default and, as on
// Windows, root\cimv2), Win32_Service, CIM_DataFile and Win32_Directory.

#include <string_view>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

// Null when none of these serves the class.
[[nodiscard]] CWbemProvider* FindSoftwareProvider(std::u16string_view nameSpace, std::u16string_view className);

}  // namespace quillet::engine
