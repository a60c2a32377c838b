#pragma once
// Win32_TimeZone: the time zone scripts' local times are in (TZ when set, else /etc/localtime),
// read through the C library from the time zone database: the offsets and names of standard and
// summer time, and the rule of this year's changes as Windows states it (month, n-th weekday of
// the month, hour).

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CTimeZoneProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

}  // namespace quillet::engine
