#pragma once
// Calendar arithmetic under Automation dates: whole days counted from 1899-12-30 in the
// proleptic Gregorian calendar.

#include <cstdint>

namespace quillet::engine {

void CivilFromDays(int64_t days, int& year, int& month, int& day);
[[nodiscard]] int64_t DaysFromCivil(int year, int month, int day);

}  // namespace quillet::engine
