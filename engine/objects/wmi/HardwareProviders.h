#pragma once
// The providers of the machine's hardware in root\cimv2: disks, volumes, firmware, board,
// memory modules, network adapters, the time zone, echo requests and printers.

#include <string_view>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

// The provider of a class of root\cimv2 among these; null when none of them serves it.
[[nodiscard]] CWbemProvider* FindHardwareProvider(std::u16string_view className);

}  // namespace quillet::engine
