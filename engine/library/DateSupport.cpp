#include "engine/library/DateSupport.h"

#include <cmath>

#include "engine/library/BuiltinSupport.h"
#include "engine/library/CivilDate.h"

namespace quillet::engine {

int64_t LinearSeconds(double date) {
  const double whole = std::trunc(date);
  const auto seconds = static_cast<int64_t>(std::llround(std::fabs(date - whole) * kSecondsPerDay));
  return static_cast<int64_t>(whole) * kSecondsPerDay + seconds;
}

SDateTime SplitDate(double date) {
  SDateTime t;
  const int64_t linear = LinearSeconds(date);
  t.days = linear / kSecondsPerDay;
  t.seconds = linear % kSecondsPerDay;
  if (t.seconds < 0) {
    t.seconds += kSecondsPerDay;
    --t.days;
  }
  CivilFromDays(t.days, t.year, t.month, t.day);
  t.hour = static_cast<int>(t.seconds / 3600);
  t.minute = static_cast<int>(t.seconds / 60 % 60);
  t.second = static_cast<int>(t.seconds % 60);
  return t;
}

double DateArg(const CVariant& value) {
  const CVariant v = builtin::Scalar(value);
  double date = 0;
  if (v.IsString()) {
    if (!ParseDate(v.AsString(), date)) throw CScriptError(err::TypeMismatch);
  } else {
    date = v.ToDouble();
  }
  if (!std::isfinite(date) || date < kFirstDay || date >= kLastDay + 1.0) throw CScriptError(err::InvalidCall);
  return date;
}

}  // namespace quillet::engine
