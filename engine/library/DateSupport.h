#pragma once
// What the date library and the date formatting share: an Automation date taken apart into
// its calendar fields, and the rule that turns any argument into a date.

#include <cstdint>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

// The dates Windows accepts: 1/1/100 to 12/31/9999.
inline constexpr int64_t kFirstDay = -657434;
inline constexpr int64_t kLastDay = 2958465;
inline constexpr int64_t kSecondsPerDay = 86400;

struct SDateTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
  int64_t days = 0;     // whole days, the calendar date
  int64_t seconds = 0;  // since midnight
};

// Seconds since 1899-12-30 00:00, counted linearly on both sides of day 0.
[[nodiscard]] int64_t LinearSeconds(double date);
[[nodiscard]] SDateTime SplitDate(double date);

// A date argument: text is parsed as CDate reads it, numbers are taken as dates; 13 when the
// text is no date, 5 when the date lies outside the range above.
[[nodiscard]] double DateArg(const CVariant& value);

}  // namespace quillet::engine
