// The date library on Automation dates: a Double of days since 1899-12-30 whose fraction is
// the time of day. Before that day the fraction still counts forward from midnight (-1.25 is
// 12/29/1899 6:00 AM), so arithmetic goes through a linear count of seconds and back.

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <utility>

#include "engine/library/BuiltinSupport.h"
#include "engine/library/CivilDate.h"
#include "engine/library/DateSupport.h"
#include "platform/TextConvert.h"

namespace quillet::engine::builtin {

namespace {

[[nodiscard]] double FromLinearSeconds(int64_t linear) {
  int64_t days = linear / kSecondsPerDay;
  int64_t seconds = linear % kSecondsPerDay;
  if (seconds < 0) {
    seconds += kSecondsPerDay;
    --days;
  }
  if (days < kFirstDay || days > kLastDay) throw CScriptError(err::InvalidCall);
  const double fraction = static_cast<double>(seconds) / kSecondsPerDay;
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

// A part of one date: Null gives Null.
CVariant DatePartOf(Args a, int (*part)(const SDateTime&)) {
  if (IsNullArg(a, 0)) return CVariant::Null();
  return CVariant::Integer(static_cast<int16_t>(part(SplitDate(DateArg(Arg(a, 0))))));
}

CVariant FnYear(Args a) { return DatePartOf(a, [](const SDateTime& t) { return t.year; }); }
CVariant FnMonth(Args a) { return DatePartOf(a, [](const SDateTime& t) { return t.month; }); }
CVariant FnDay(Args a) { return DatePartOf(a, [](const SDateTime& t) { return t.day; }); }
CVariant FnHour(Args a) { return DatePartOf(a, [](const SDateTime& t) { return t.hour; }); }
CVariant FnMinute(Args a) { return DatePartOf(a, [](const SDateTime& t) { return t.minute; }); }
CVariant FnSecond(Args a) { return DatePartOf(a, [](const SDateTime& t) { return t.second; }); }

// DateValue and TimeValue keep one half of a date. Null passes through, as it does for the
// other functions that take a date apart.
CVariant FnDateValue(Args a) {
  if (IsNullArg(a, 0)) return CVariant::Null();
  return CVariant::Date(static_cast<double>(SplitDate(DateArg(Arg(a, 0))).days));
}
CVariant FnTimeValue(Args a) {
  if (IsNullArg(a, 0)) return CVariant::Null();
  return CVariant::Date(static_cast<double>(SplitDate(DateArg(Arg(a, 0))).seconds) / kSecondsPerDay);
}

// The first day of the week, 1 (Sunday) to 7; 0 means the system's, Sunday under en-US.
[[nodiscard]] int FirstDayArg(Args a, size_t i) {
  if (!Given(a, i)) return 1;
  const int32_t day = LongArg(a, i);
  if (day < 0 || day > 7) throw CScriptError(err::InvalidCall);
  return day == 0 ? 1 : day;
}

// The first week of the year: 1 holds January 1, 2 is the first with four days, 3 the first
// full week; 0 means the system's, which is 1 under en-US.
[[nodiscard]] int FirstWeekArg(Args a, size_t i) {
  if (!Given(a, i)) return 1;
  const int32_t rule = LongArg(a, i);
  if (rule < 0 || rule > 3) throw CScriptError(err::InvalidCall);
  return rule == 0 ? 1 : rule;
}

// 1..7 counted from firstDay; day 0 (1899-12-30) was a Saturday.
[[nodiscard]] int WeekdayOf(int64_t days, int firstDay) {
  const int sundayBased = static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
  return (sundayBased - firstDay + 7) % 7 + 1;
}

[[nodiscard]] int64_t StartOfWeek(int64_t days, int firstDay) { return days - (WeekdayOf(days, firstDay) - 1); }

// The day week 1 of a year begins on, under a first-week rule.
[[nodiscard]] int64_t FirstWeekStart(int year, int firstDay, int rule) {
  const int64_t jan1 = DaysFromCivil(year, 1, 1);
  const int offset = WeekdayOf(jan1, firstDay) - 1;  // days of the week before January 1
  if (rule == 1 || offset == 0) return jan1 - offset;
  if (rule == 2 && offset <= 3) return jan1 - offset;
  return jan1 + (7 - offset);
}

// The week of the year; a day before week 1 belongs to the last week of the year before.
// A late December day is never moved into the next year's week 1.
[[nodiscard]] int WeekOfYear(const SDateTime& t, int firstDay, int rule) {
  int64_t start = FirstWeekStart(t.year, firstDay, rule);
  if (t.days < start) start = FirstWeekStart(t.year - 1, firstDay, rule);
  return static_cast<int>((t.days - start) / 7 + 1);
}

CVariant FnWeekday(Args a) {
  const int firstDay = FirstDayArg(a, 1);
  if (IsNullArg(a, 0)) return CVariant::Null();
  return CVariant::Integer(static_cast<int16_t>(WeekdayOf(SplitDate(DateArg(Arg(a, 0))).days, firstDay)));
}

// Two-digit years read as the system's window does: 0-29 are 2000-2029, 30-99 are 1930-1999.
[[nodiscard]] int64_t FullYear(int64_t year) {
  if (year >= 0 && year < 30) return year + 2000;
  if (year >= 30 && year < 100) return year + 1900;
  return year;
}

// Days of a year, month and day that may overflow their ranges (month 13 is January next year).
[[nodiscard]] int64_t DaysOf(int64_t year, int64_t month, int64_t day) {
  year += (month - 1 >= 0 ? (month - 1) / 12 : -((12 - month) / 12));
  month = ((month - 1) % 12 + 12) % 12 + 1;
  if (year < 100 || year > 9999) throw CScriptError(err::InvalidCall);
  return DaysFromCivil(static_cast<int>(year), static_cast<int>(month), 1) + day - 1;
}

CVariant FnDateSerial(Args a) {
  const int64_t days = DaysOf(FullYear(LongArg(a, 0)), LongArg(a, 1), LongArg(a, 2));
  return CVariant::Date(FromLinearSeconds(days * kSecondsPerDay));
}

CVariant FnTimeSerial(Args a) {
  const int64_t seconds = int64_t{LongArg(a, 0)} * 3600 + int64_t{LongArg(a, 1)} * 60 + LongArg(a, 2);
  return CVariant::Date(FromLinearSeconds(seconds));
}

enum class EInterval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

[[nodiscard]] EInterval IntervalArg(Args a, size_t i) {
  if (IsNullArg(a, i)) throw CScriptError(err::InvalidUseOfNull);
  const std::u16string key = platform::LowerAscii(TextArg(a, i));
  static constexpr std::array<std::pair<std::u16string_view, EInterval>, 10> kNames{{
      {u"yyyy", EInterval::Year}, {u"q", EInterval::Quarter}, {u"m", EInterval::Month},
      {u"y", EInterval::DayOfYear}, {u"d", EInterval::Day}, {u"w", EInterval::Weekday},
      {u"ww", EInterval::Week}, {u"h", EInterval::Hour}, {u"n", EInterval::Minute}, {u"s", EInterval::Second},
  }};
  for (const auto& [name, interval] : kNames) {
    if (key == name) return interval;
  }
  throw CScriptError(err::InvalidCall);
}

[[nodiscard]] double AddMonths(const SDateTime& t, int64_t months) {
  const int64_t total = int64_t{t.year} * 12 + (t.month - 1) + months;
  const int64_t year = total >= 0 ? total / 12 : (total - 11) / 12;
  const int month = static_cast<int>(total - year * 12) + 1;
  if (year < 100 || year > 9999) throw CScriptError(err::InvalidCall);
  // The day is clamped to the month's last: January 31 plus a month is February's last day.
  const int day = std::min(t.day, DaysInMonth(static_cast<int>(year), month));
  return FromLinearSeconds(DaysFromCivil(static_cast<int>(year), month, day) * kSecondsPerDay + t.seconds);
}

// DateAdd(interval, number, date): number is rounded to a whole count first.
CVariant FnDateAdd(Args a) {
  const EInterval interval = IntervalArg(a, 0);
  const int64_t n = LongArg(a, 1);
  if (IsNullArg(a, 2)) return CVariant::Null();
  const double date = DateArg(Arg(a, 2));
  const SDateTime t = SplitDate(date);
  const int64_t linear = LinearSeconds(date);
  switch (interval) {
    case EInterval::Year: return CVariant::Date(AddMonths(t, n * 12));
    case EInterval::Quarter: return CVariant::Date(AddMonths(t, n * 3));
    case EInterval::Month: return CVariant::Date(AddMonths(t, n));
    case EInterval::Week: return CVariant::Date(FromLinearSeconds(linear + n * 7 * kSecondsPerDay));
    case EInterval::Hour: return CVariant::Date(FromLinearSeconds(linear + n * 3600));
    case EInterval::Minute: return CVariant::Date(FromLinearSeconds(linear + n * 60));
    case EInterval::Second: return CVariant::Date(FromLinearSeconds(linear + n));
    default: return CVariant::Date(FromLinearSeconds(linear + n * kSecondsPerDay));
  }
}

// DateDiff counts the boundaries of the interval crossed between the two dates.
CVariant FnDateDiff(Args a) {
  const EInterval interval = IntervalArg(a, 0);
  const int firstDay = FirstDayArg(a, 3);
  (void)FirstWeekArg(a, 4);
  if (IsNullArg(a, 1) || IsNullArg(a, 2)) return CVariant::Null();
  const double d1 = DateArg(Arg(a, 1)), d2 = DateArg(Arg(a, 2));
  const SDateTime t1 = SplitDate(d1), t2 = SplitDate(d2);
  const int64_t s1 = LinearSeconds(d1), s2 = LinearSeconds(d2);
  const auto floorDiv = [](int64_t x, int64_t y) { return x >= 0 ? x / y : -((-x + y - 1) / y); };
  int64_t diff = 0;
  switch (interval) {
    case EInterval::Year: diff = t2.year - t1.year; break;
    case EInterval::Quarter: diff = (t2.year * 4 + (t2.month - 1) / 3) - (t1.year * 4 + (t1.month - 1) / 3); break;
    case EInterval::Month: diff = (t2.year * 12 + t2.month) - (t1.year * 12 + t1.month); break;
    case EInterval::DayOfYear:
    case EInterval::Day: diff = t2.days - t1.days; break;
    case EInterval::Weekday: diff = (t2.days - t1.days) / 7; break;
    case EInterval::Week: diff = (StartOfWeek(t2.days, firstDay) - StartOfWeek(t1.days, firstDay)) / 7; break;
    case EInterval::Hour: diff = floorDiv(s2, 3600) - floorDiv(s1, 3600); break;
    case EInterval::Minute: diff = floorDiv(s2, 60) - floorDiv(s1, 60); break;
    case EInterval::Second: diff = s2 - s1; break;
  }
  return CVariant::Long(static_cast<int32_t>(diff));
}

CVariant FnDatePart(Args a) {
  const EInterval interval = IntervalArg(a, 0);
  const int firstDay = FirstDayArg(a, 2);
  const int rule = FirstWeekArg(a, 3);
  if (IsNullArg(a, 1)) return CVariant::Null();
  const SDateTime t = SplitDate(DateArg(Arg(a, 1)));
  int part = 0;
  switch (interval) {
    case EInterval::Year: part = t.year; break;
    case EInterval::Quarter: part = (t.month - 1) / 3 + 1; break;
    case EInterval::Month: part = t.month; break;
    case EInterval::DayOfYear: part = static_cast<int>(t.days - DaysFromCivil(t.year, 1, 1)) + 1; break;
    case EInterval::Day: part = t.day; break;
    case EInterval::Weekday: part = WeekdayOf(t.days, firstDay); break;
    case EInterval::Week: part = WeekOfYear(t, firstDay, rule); break;
    case EInterval::Hour: part = t.hour; break;
    case EInterval::Minute: part = t.minute; break;
    case EInterval::Second: part = t.second; break;
  }
  return CVariant::Integer(static_cast<int16_t>(part));
}

// Names under the English (United States) locale.
constexpr std::array<std::u16string_view, 12> kMonths{u"January", u"February", u"March",     u"April",
                                                      u"May",     u"June",     u"July",      u"August",
                                                      u"September", u"October", u"November", u"December"};
constexpr std::array<std::u16string_view, 7> kWeekdays{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                       u"Thursday", u"Friday", u"Saturday"};

[[nodiscard]] bool AbbreviateArg(Args a, size_t i) {
  if (!Given(a, i)) return false;
  return NullOr(Arg(a, i), [](const CVariant& v) { return CVariant::Boolean(v.ToBool()); }).AsBool();
}

// The English abbreviations are the first three letters.
[[nodiscard]] CVariant NameOf(std::u16string_view name, bool abbreviate) {
  return CVariant::String(abbreviate ? name.substr(0, 3) : name);
}

CVariant FnMonthName(Args a) {
  const int32_t month = LongArg(a, 0);
  if (month < 1 || month > 12) throw CScriptError(err::InvalidCall);
  return NameOf(kMonths[static_cast<size_t>(month - 1)], AbbreviateArg(a, 1));
}

// WeekdayName(weekday[, abbreviate[, firstdayofweek]]): weekday counts from firstdayofweek.
CVariant FnWeekdayName(Args a) {
  const int32_t weekday = LongArg(a, 0);
  const bool abbreviate = AbbreviateArg(a, 1);
  const int firstDay = FirstDayArg(a, 2);
  if (weekday < 1 || weekday > 7) throw CScriptError(err::InvalidCall);
  return NameOf(kWeekdays[static_cast<size_t>((weekday - 1 + firstDay - 1) % 7)], abbreviate);
}

// The local clock, read once per call.
[[nodiscard]] std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

[[nodiscard]] int64_t TodayDays(const std::tm& local) {
  return DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

[[nodiscard]] int64_t SecondsToday(const std::tm& local) {
  return int64_t{local.tm_hour} * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59);
}

CVariant FnDate(Args) { return CVariant::Date(static_cast<double>(TodayDays(LocalNow()))); }
CVariant FnTime(Args) { return CVariant::Date(static_cast<double>(SecondsToday(LocalNow())) / kSecondsPerDay); }
CVariant FnNow(Args) {
  const std::tm local = LocalNow();
  return CVariant::Date(FromLinearSeconds(TodayDays(local) * kSecondsPerDay + SecondsToday(local)));
}

// Seconds since midnight with hundredths, as a Single.
CVariant FnTimer(Args) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const std::tm local = LocalNow();
  const double seconds = static_cast<double>(SecondsToday(local)) + static_cast<double>(now.tv_nsec / 10000000) / 100.0;
  return CVariant::Single(static_cast<float>(seconds));
}

constexpr std::array kDates{
    SBuiltin{u"date", 0, 0, FnDate},           SBuiltin{u"dateadd", 3, 3, FnDateAdd},
    SBuiltin{u"datediff", 3, 5, FnDateDiff},   SBuiltin{u"datepart", 2, 4, FnDatePart},
    SBuiltin{u"dateserial", 3, 3, FnDateSerial}, SBuiltin{u"datevalue", 1, 1, FnDateValue},
    SBuiltin{u"day", 1, 1, FnDay},             SBuiltin{u"timevalue", 1, 1, FnTimeValue},
    SBuiltin{u"hour", 1, 1, FnHour},           SBuiltin{u"minute", 1, 1, FnMinute},
    SBuiltin{u"month", 1, 1, FnMonth},         SBuiltin{u"monthname", 1, 2, FnMonthName},
    SBuiltin{u"now", 0, 0, FnNow},             SBuiltin{u"weekdayname", 1, 3, FnWeekdayName},
    SBuiltin{u"second", 1, 1, FnSecond},       SBuiltin{u"time", 0, 0, FnTime},
    SBuiltin{u"timer", 0, 0, FnTimer},         SBuiltin{u"timeserial", 3, 3, FnTimeSerial},
    SBuiltin{u"weekday", 1, 2, FnWeekday},     SBuiltin{u"year", 1, 1, FnYear},
};

}  // namespace

std::span<const SBuiltin> DateLibrary() { return kDates; }

}  // namespace quillet::engine::builtin
