#pragma once
// CIM datetimes, the text the management service writes every date in:
//   yyyymmddHHMMSS.mmmmmmsUUU   a point in time, sUUU its offset from universal time in minutes
//   ddddddddHHMMSS.mmmmmm:000   an interval of days, hours, minutes, seconds and microseconds
// A field may be left open, written as asterisks of its width.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::engine {

struct SCimDateTime {
  enum EField { Year, Month, Day, Hours, Minutes, Seconds, Microseconds, Utc, kFieldCount };
  int64_t values[kFieldCount] = {0, 1, 1, 0, 0, 0, 0, 0};
  bool specified[kFieldCount] = {true, true, true, true, true, true, true, true};
  bool isInterval = false;

  [[nodiscard]] std::u16string Text() const;
  // Nullopt for text that is not a CIM datetime or has a field out of its range.
  [[nodiscard]] static std::optional<SCimDateTime> Parse(std::u16string_view text);
  // Whether a value is in the field's range (an interval's days reach 99999999).
  [[nodiscard]] bool InRange(EField field, int64_t value) const;
};

}  // namespace quillet::engine
