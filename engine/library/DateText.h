#pragma once
// Dates written through a locale's picture ("dddd, MMMM d, yyyy", "HH:mm:ss"), the way the
// regional settings of Windows describe them.

#include <string>
#include <string_view>

#include "engine/library/DateSupport.h"
#include "engine/library/LocaleTable.h"

namespace quillet::engine {

// d dd ddd dddd, M MM MMM MMMM, yy yyyy, h hh H HH, m mm, s ss, t tt; text in single quotes
// and every other character stand for themselves.
[[nodiscard]] std::u16string FormatDatePicture(std::u16string_view picture, const SDateTime& date,
                                               const SLocaleInfo& locale);

}  // namespace quillet::engine
