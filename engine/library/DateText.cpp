#include "engine/library/DateText.h"

#include <algorithm>
#include <string>

namespace quillet::engine {

namespace {

[[nodiscard]] std::u16string Number(int value, size_t width) {
  std::u16string text;
  for (const char c : std::to_string(value)) text.push_back(static_cast<char16_t>(c));
  if (text.size() < width) text.insert(0, width - text.size(), u'0');
  return text;
}

// Whether the picture shows the day as a number, outside quoted text; some languages then
// write the month in another case ("6 grudnia").
[[nodiscard]] bool ShowsDayNumber(std::u16string_view picture) {
  bool quoted = false;
  for (size_t i = 0; i < picture.size();) {
    const char16_t c = picture[i];
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (c == u'\'') quoted = !quoted;
    else if (!quoted && c == u'd' && run <= 2) return true;
    i += c == u'\'' ? 1 : run;
  }
  return false;
}

[[nodiscard]] std::u16string_view Abbreviated(std::u16string_view name) { return name.substr(0, 3); }

[[nodiscard]] std::u16string MonthText(size_t run, const SDateTime& date, const SLocaleInfo& locale,
                                       bool afterDay) {
  if (run <= 2) return Number(date.month, run);
  const auto index = static_cast<size_t>(date.month - 1);
  std::u16string_view name = locale.months[index];
  if (afterDay && !locale.monthsAfterDay[index].empty()) name = locale.monthsAfterDay[index];
  return std::u16string(run == 3 ? Abbreviated(name) : name);
}

[[nodiscard]] std::u16string DayText(size_t run, const SDateTime& date, const SLocaleInfo& locale) {
  if (run <= 2) return Number(date.day, run);
  // Day 0 (1899-12-30) was a Saturday.
  const auto weekday = static_cast<size_t>(((date.days + 6) % 7 + 7) % 7);
  const std::u16string_view name = locale.weekdays[weekday];
  return std::u16string(run == 3 ? Abbreviated(name) : name);
}

[[nodiscard]] std::u16string Field(char16_t letter, size_t run, const SDateTime& date, const SLocaleInfo& locale,
                                   bool afterDay) {
  const int hour12 = date.hour % 12 == 0 ? 12 : date.hour % 12;
  const std::u16string_view marker = date.hour < 12 ? locale.am : locale.pm;
  switch (letter) {
    case u'd': return DayText(run, date, locale);
    case u'M': return MonthText(run, date, locale, afterDay);
    case u'y': return run <= 2 ? Number(date.year % 100, 2) : Number(date.year, 4);
    case u'h': return Number(hour12, std::min<size_t>(run, 2));
    case u'H': return Number(date.hour, std::min<size_t>(run, 2));
    case u'm': return Number(date.minute, std::min<size_t>(run, 2));
    case u's': return Number(date.second, std::min<size_t>(run, 2));
    case u't': return std::u16string(run == 1 ? marker.substr(0, 1) : marker);
    default: return std::u16string(run, letter);
  }
}

}  // namespace

std::u16string FormatDatePicture(std::u16string_view picture, const SDateTime& date, const SLocaleInfo& locale) {
  const bool afterDay = ShowsDayNumber(picture);
  std::u16string text;
  for (size_t i = 0; i < picture.size();) {
    const char16_t c = picture[i];
    if (c == u'\'') {
      const size_t close = picture.find(u'\'', i + 1);
      const size_t end = close == std::u16string_view::npos ? picture.size() : close;
      text.append(picture.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    text += Field(c, run, date, locale, afterDay);
    i += run;
  }
  return text;
}

}  // namespace quillet::engine
