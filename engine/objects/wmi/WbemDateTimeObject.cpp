#include "engine/objects/wmi/WbemDateTimeObject.h"

#include <cmath>
#include <ctime>
#include <string>

#include "engine/library/CivilDate.h"
#include "engine/library/DateSupport.h"
#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/vm/VirtualMachine.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemDateTime";
constexpr int32_t kValueOutOfRange = static_cast<int32_t>(0x80041045);
// Day 0 of Automation dates is 1899-12-30; the Unix epoch and file times count from later and
// earlier days.
constexpr int64_t kUnixEpochDay = 25569;
constexpr int64_t kFileTimeUnitsPerSecond = 10000000;

// The offset of local time from universal time at a moment, in seconds.
int64_t LocalOffsetAt(int64_t universalSeconds) {
  const auto epoch = static_cast<std::time_t>(universalSeconds - kUnixEpochDay * kSecondsPerDay);
  std::tm local{};
  localtime_r(&epoch, &local);
  return local.tm_gmtoff;
}

double DateFromSeconds(int64_t seconds) {
  const int64_t days = seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
  const double fraction = static_cast<double>(seconds - days * kSecondsPerDay) / kSecondsPerDay;
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

int64_t FileTimeEpochSeconds() { return DaysFromCivil(1601, 1, 1) * kSecondsPerDay; }

}  // namespace

CWbemDateTimeObject::CWbemDateTimeObject() : CAutomationObject(DispatchTableOf<kWbemDateTimeClass>()) {}

int64_t CWbemDateTimeObject::UniversalSeconds() const {
  using F = SCimDateTime;
  if (m_value.isInterval || !m_value.specified[F::Year] || !m_value.specified[F::Month] || !m_value.specified[F::Day]) {
    wbem_error::Raise(wbem_error::kFailed, kSource);
  }
  const auto field = [&](F::EField f) { return m_value.specified[f] ? m_value.values[f] : 0; };
  const int64_t written = DaysFromCivil(static_cast<int>(field(F::Year)), static_cast<int>(field(F::Month)),
                                        static_cast<int>(field(F::Day))) *
                              kSecondsPerDay +
                          field(F::Hours) * 3600 + field(F::Minutes) * 60 + field(F::Seconds);
  return written - field(F::Utc) * 60;
}

CVariant CWbemDateTimeObject::GetVarDate(bool local) const {
  const int64_t universal = UniversalSeconds();
  return CVariant::Date(DateFromSeconds(local ? universal + LocalOffsetAt(universal) : universal));
}

// A date given as local time keeps the offset local time had then; a universal one has none.
void CWbemDateTimeObject::SetVarDate(const CVariant& dateArg, bool local) {
  const SDateTime parts = SplitDate(DateArg(LetValue(dateArg)));
  SCimDateTime value;
  value.values[SCimDateTime::Year] = parts.year;
  value.values[SCimDateTime::Month] = parts.month;
  value.values[SCimDateTime::Day] = parts.day;
  value.values[SCimDateTime::Hours] = parts.hour;
  value.values[SCimDateTime::Minutes] = parts.minute;
  value.values[SCimDateTime::Seconds] = parts.second;
  if (local) {
    const int64_t written = parts.days * kSecondsPerDay + parts.seconds;
    // The offset at the moment the local time names: try it as universal time first, then
    // correct by the offset found, which settles every moment but the hour a clock skips.
    int64_t offset = LocalOffsetAt(written);
    offset = LocalOffsetAt(written - offset);
    value.values[SCimDateTime::Utc] = offset / 60;
  }
  if (!value.InRange(SCimDateTime::Year, parts.year)) wbem_error::Raise(kValueOutOfRange, kSource);
  m_value = value;
}

CVariant CWbemDateTimeObject::GetFileTime(bool local) const {
  int64_t seconds = UniversalSeconds();
  if (local) seconds += LocalOffsetAt(seconds);
  const int64_t sinceEpoch = seconds - FileTimeEpochSeconds();
  if (sinceEpoch < 0) wbem_error::Raise(kValueOutOfRange, kSource);
  const uint64_t units = static_cast<uint64_t>(sinceEpoch) * kFileTimeUnitsPerSecond +
                         static_cast<uint64_t>(m_value.values[SCimDateTime::Microseconds]) * 10;
  return CVariant::String(platform::Utf8ToUtf16(std::to_string(units)));
}

void CWbemDateTimeObject::SetFileTime(const CVariant& textArg, bool local) {
  const std::string text = platform::Utf16ToUtf8(LetValue(textArg).ToString());
  if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos) {
    wbem_error::Raise(wbem_error::kInvalidSyntax, kSource);
  }
  const uint64_t units = std::stoull(text);
  int64_t seconds = FileTimeEpochSeconds() + static_cast<int64_t>(units / kFileTimeUnitsPerSecond);
  if (local) seconds -= LocalOffsetAt(seconds);
  int year = 0;
  int month = 0;
  int day = 0;
  const int64_t days = seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
  CivilFromDays(days, year, month, day);
  const int64_t inDay = seconds - days * kSecondsPerDay;
  SCimDateTime value;
  value.values[SCimDateTime::Year] = year;
  value.values[SCimDateTime::Month] = month;
  value.values[SCimDateTime::Day] = day;
  value.values[SCimDateTime::Hours] = inDay / 3600;
  value.values[SCimDateTime::Minutes] = inDay / 60 % 60;
  value.values[SCimDateTime::Seconds] = inDay % 60;
  value.values[SCimDateTime::Microseconds] = static_cast<int64_t>(units % kFileTimeUnitsPerSecond / 10);
  if (!value.InRange(SCimDateTime::Year, year)) wbem_error::Raise(kValueOutOfRange, kSource);
  m_value = value;
}

CVariant CWbemDateTimeObject::Field(SCimDateTime::EField field, om::EMemberKind kind, bool specifiedFlag,
                                    std::span<CVariant> args) {
  if (kind == om::EMemberKind::PropertyGet) {
    if (specifiedFlag) return CVariant::Boolean(m_value.specified[field]);
    return CVariant::Long(static_cast<int32_t>(m_value.values[field]));
  }
  const CVariant value = LetValue(args[0]);
  if (specifiedFlag) {
    m_value.specified[field] = value.ToBool();
    return {};
  }
  const int64_t number = value.ToLong();
  if (!m_value.InRange(field, number)) wbem_error::Raise(kValueOutOfRange, kSource);
  m_value.values[field] = number;
  m_value.specified[field] = true;
  return {};
}

CVariant CWbemDateTimeObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemDateTime;
  using F = SCimDateTime;
  const bool reads = member.kind == om::EMemberKind::PropertyGet;
  switch (member.dispId) {
    case id::Value: {
      if (reads) return CVariant::String(m_value.Text());
      const auto parsed = SCimDateTime::Parse(LetValue(args[0]).ToString());
      if (!parsed) wbem_error::Raise(wbem_error::kInvalidSyntax, kSource);
      m_value = *parsed;
      return {};
    }
    case id::Year: return Field(F::Year, member.kind, false, args);
    case id::YearSpecified: return Field(F::Year, member.kind, true, args);
    case id::Month: return Field(F::Month, member.kind, false, args);
    case id::MonthSpecified: return Field(F::Month, member.kind, true, args);
    case id::Day: return Field(F::Day, member.kind, false, args);
    case id::DaySpecified: return Field(F::Day, member.kind, true, args);
    case id::Hours: return Field(F::Hours, member.kind, false, args);
    case id::HoursSpecified: return Field(F::Hours, member.kind, true, args);
    case id::Minutes: return Field(F::Minutes, member.kind, false, args);
    case id::MinutesSpecified: return Field(F::Minutes, member.kind, true, args);
    case id::Seconds: return Field(F::Seconds, member.kind, false, args);
    case id::SecondsSpecified: return Field(F::Seconds, member.kind, true, args);
    case id::Microseconds: return Field(F::Microseconds, member.kind, false, args);
    case id::MicrosecondsSpecified: return Field(F::Microseconds, member.kind, true, args);
    case id::UTC: return Field(F::Utc, member.kind, false, args);
    case id::UTCSpecified: return Field(F::Utc, member.kind, true, args);
    case id::IsInterval:
      if (reads) return CVariant::Boolean(m_value.isInterval);
      m_value.isInterval = LetValue(args[0]).ToBool();
      return {};
    case id::GetVarDate: return GetVarDate(LetValue(args[0]).ToBool());
    case id::SetVarDate: SetVarDate(args[0], LetValue(args[1]).ToBool()); return {};
    case id::GetFileTime: return GetFileTime(LetValue(args[0]).ToBool());
    case id::SetFileTime: SetFileTime(args[0], LetValue(args[1]).ToBool()); return {};
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine
