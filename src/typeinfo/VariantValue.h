#pragma once
// Conversions of variant values: to the width of their type, and to the text the automation
// runtime's string conversion gives (what the catalogue shows for defaults and constants).

#include <cstdint>
#include <string>

#include "typeinfo/TypeLibDesc.h"

namespace quillet::typeinfo {

// The integer as the type holds it: sign-extended or zero-extended from its width; booleans
// become 0 or -1.
[[nodiscard]] std::int64_t NormalizeInteger(std::uint16_t type, std::uint64_t raw);
[[nodiscard]] bool IsIntegerType(std::uint16_t type);

// Integers in decimal, booleans "-1"/"0", floating values with up to 7 (single) or 15 (double)
// significant digits, currency without trailing zeros, dates as m/d/yyyy and h:mm:ss AM/PM.
// Types that have no text form (empty, null, objects) give an empty string.
[[nodiscard]] std::u16string VariantToText(const SVariant& value);

}  // namespace quillet::typeinfo
