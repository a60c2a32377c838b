#pragma once
// Values of CIM types as scripts receive them: 64-bit integers as text (automation has no
// type a script can hold them in exactly), datetimes as CIM text yyyymmddHHMMSS.mmmmmmsUUU.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "engine/runtime/Variant.h"

namespace quillet::engine::wbem_value {

[[nodiscard]] CVariant Uint64(uint64_t value);
[[nodiscard]] CVariant Uint32(uint32_t value);  // Long, as automation carries it (may read negative)
[[nodiscard]] CVariant Text(std::u16string_view value);
[[nodiscard]] CVariant Text(std::string_view utf8);
// A point in time in local time, with the local offset from universal time.
[[nodiscard]] CVariant DateTime(std::time_t seconds, int32_t microseconds = 0);
[[nodiscard]] std::u16string CimDateTime(std::time_t seconds, int32_t microseconds = 0);

}  // namespace quillet::engine::wbem_value
