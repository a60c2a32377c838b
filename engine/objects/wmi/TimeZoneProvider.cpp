#include "engine/objects/wmi/TimeZoneProvider.h"

#include <unistd.h>

#include <climits>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/objects/wmi/SysAttribute.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

constexpr std::time_t kHour = 3600;

struct SZoneState {
  long offset = 0;  // seconds east of universal time
  bool summer = false;
  std::string abbreviation;
};

SZoneState StateAt(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return {local.tm_gmtoff, local.tm_isdst > 0, local.tm_zone != nullptr ? local.tm_zone : ""};
}

// A change between standard and summer time: the first local hour in which the new state holds.
struct SChange {
  std::time_t moment = 0;  // the first second of the new state
  std::tm before{};        // the clock time the change happens at, read in the old state
  long offsetBefore = 0;
  SZoneState after;
  // Summer time is the later clock. The database's flag would do but for zones that keep their
  // summer time as standard and flag winter instead (a negative saving, as Ireland's).
  [[nodiscard]] bool IntoSummer() const { return after.offset > offsetBefore; }
};

// The first moment in (from, to] whose summer flag differs from from's, found hour by hour, then
// narrowed to the second. Changes are months apart, so an hourly step misses none, and a year
// takes under 9,000 look-ups.
std::optional<SChange> NextChange(std::time_t from, std::time_t to) {
  const bool summer = StateAt(from).summer;
  for (std::time_t hour = from + kHour; hour <= to; hour += kHour) {
    if (StateAt(hour).summer == summer) continue;
    std::time_t low = hour - kHour, high = hour;
    while (high - low > 1) {
      const std::time_t middle = low + (high - low) / 2;
      (StateAt(middle).summer == summer ? low : high) = middle;
    }
    SChange change;
    change.moment = high;
    // Windows states the hour in the clock time before the change: 2:00 when clocks go 2 -> 3.
    change.offsetBefore = StateAt(low).offset;
    const std::time_t clock = high + change.offsetBefore;
    gmtime_r(&clock, &change.before);
    change.after = StateAt(high);
    return change;
  }
  return std::nullopt;
}

// Which weekday of its month a day is: 1 the first ... 5 the last.
uint32_t WeekOfMonth(const std::tm& day) {
  const int week = (day.tm_mday - 1) / 7 + 1;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int year = day.tm_year + 1900;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int length = kDays[day.tm_mon] + (day.tm_mon == 1 && leap ? 1 : 0);
  return day.tm_mday + 7 > length ? 5 : static_cast<uint32_t>(week);
}

void SetRule(SWbemInstance& zone, std::u16string_view prefix, const SChange& change) {
  const std::u16string p(prefix);
  zone.Set(p + u"Month", Uint32(static_cast<uint32_t>(change.before.tm_mon + 1)));
  zone.Set(p + u"Day", Uint32(WeekOfMonth(change.before)));
  zone.Set(p + u"DayOfWeek", CVariant::Byte(static_cast<uint8_t>(change.before.tm_wday)));
  zone.Set(p + u"Hour", Uint32(static_cast<uint32_t>(change.before.tm_hour)));
}

std::string WithoutColon(std::string zone) { return !zone.empty() && zone[0] == ':' ? zone.substr(1) : zone; }

// "(UTC+01:00) Europe/Berlin": Windows' form, with the database's name for the places.
std::string CaptionOf(long standardOffset, const std::string& name) {
  const long minutes = std::labs(standardOffset) / 60;
  char text[32];
  std::snprintf(text, sizeof text, "(UTC%c%02ld:%02ld)", standardOffset < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return name.empty() ? std::string(text) : std::string(text) + " " + name;
}

// The zone's name as the database knows it ("Europe/Berlin"); empty when it cannot be told.
std::string TimeZoneName() {
  if (const char* tz = std::getenv("TZ"); tz != nullptr && *tz != '\0') return WithoutColon(tz);
  char target[PATH_MAX] = {};
  const ssize_t length = readlink("/etc/localtime", target, sizeof target - 1);
  if (length > 0) {
    const std::string path(target, static_cast<size_t>(length));
    if (const size_t at = path.find("zoneinfo/"); at != std::string::npos) return path.substr(at + 9);
  }
  return machine::SysAttribute("/etc/timezone").value_or("");
}

}  // namespace

void CTimeZoneProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  tzset();
  const std::time_t now = std::time(nullptr);
  std::tm today{};
  localtime_r(&now, &today);
  std::tm january{};
  january.tm_year = today.tm_year;
  january.tm_mday = 1;
  const std::time_t yearStart = timegm(&january) - 14 * kHour;  // before the first local midnight anywhere
  const std::time_t yearEnd = yearStart + 366 * 24 * kHour;
  std::optional<SChange> intoSummer, intoStandard;
  for (auto change = NextChange(yearStart, yearEnd); change; change = NextChange(change->moment, yearEnd)) {
    (change->IntoSummer() ? intoSummer : intoStandard) = change;
    if (intoSummer && intoStandard) break;
  }
  const SZoneState standard = intoStandard ? intoStandard->after : StateAt(now);
  const SZoneState summer = intoSummer ? intoSummer->after : standard;
  auto zone = std::make_shared<SWbemInstance>(cls);
  // Windows counts the biases the other way round: what to add to local time to get universal time.
  zone->Set(u"Bias", CVariant::Long(static_cast<int32_t>(-standard.offset / 60)));
  zone->Set(u"StandardBias", CVariant::Long(0));
  zone->Set(u"DaylightBias", CVariant::Long(static_cast<int32_t>(-(summer.offset - standard.offset) / 60)));
  zone->Set(u"StandardName", Text(standard.abbreviation));
  zone->Set(u"DaylightName", Text(summer.abbreviation));
  if (intoSummer && intoStandard) {
    SetRule(*zone, u"Daylight", *intoSummer);
    SetRule(*zone, u"Standard", *intoStandard);
  } else {
    for (const std::u16string_view property : {u"DaylightMonth", u"DaylightDay", u"DaylightHour", u"StandardMonth",
                                               u"StandardDay", u"StandardHour"}) {
      zone->Set(property, Uint32(0));
    }
    zone->Set(u"DaylightDayOfWeek", CVariant::Byte(0));
    zone->Set(u"StandardDayOfWeek", CVariant::Byte(0));
  }
  const std::string caption = CaptionOf(standard.offset, TimeZoneName());
  zone->Set(u"Caption", Text(caption));
  zone->Set(u"Description", Text(caption));
  out.push_back(std::move(zone));
}

}  // namespace quillet::engine
