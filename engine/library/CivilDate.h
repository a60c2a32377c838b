#pragma once
// Calendar arithmetic under Automation dates: whole days counted from 1899-12-30 in the
// proleptic Gregorian calendar.

#include <cstdint>

namespace quillet::engine {

void CivilFromDays(int64_t days, int& year, int& month, int& day);
[[nodiscard]] int64_t DaysFromCivil(int year, int month, int day);
// The length of a month, leap years counted.
[[nodiscard]] int DaysInMonth(int year, int month);

}  // namespace quillet::engine
