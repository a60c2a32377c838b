#include "engine/objects/wmi/CurrentTimeProvider.h"

#include <ctime>

#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

void CCurrentTimeProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (m_local) {
    localtime_r(&now, &parts);
  } else {
    gmtime_r(&now, &parts);
  }
  const auto number = [](int value) { return wbem_value::Uint32(static_cast<uint32_t>(value)); };
  auto time = std::make_shared<SWbemInstance>(cls);
  time->Set(u"Year", number(parts.tm_year + 1900));
  time->Set(u"Month", number(parts.tm_mon + 1));
  time->Set(u"Day", number(parts.tm_mday));
  time->Set(u"DayOfWeek", number(parts.tm_wday));
  time->Set(u"Hour", number(parts.tm_hour));
  time->Set(u"Minute", number(parts.tm_min));
  time->Set(u"Second", number(parts.tm_sec));
  time->Set(u"Quarter", number(parts.tm_mon / 3 + 1));
  // The week the day falls in, the month's first (partial) week being 1.
  const int firstWeekday = ((parts.tm_wday - (parts.tm_mday - 1)) % 7 + 7) % 7;
  time->Set(u"WeekInMonth", number((parts.tm_mday - 1 + firstWeekday) / 7 + 1));
  out.push_back(std::move(time));
}

}  // namespace quillet::engine
