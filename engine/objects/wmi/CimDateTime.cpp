#include "engine/objects/wmi/CimDateTime.h"

#include <cstdlib>

namespace quillet::engine {

namespace {

struct SFieldLayout {
  size_t at;
  size_t width;
};

// Where each field sits in the text; an interval's days take the year, month and day's place.
constexpr SFieldLayout kPoint[] = {{0, 4}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 2}, {15, 6}, {22, 3}};
constexpr SFieldLayout kIntervalDays{0, 8};
constexpr size_t kLength = 25;
constexpr size_t kSignAt = 21;

void Append(std::u16string& text, int64_t value, size_t width, bool specified) {
  if (!specified) {
    text.append(width, u'*');
    return;
  }
  std::u16string digits;
  for (size_t i = 0; i < width; ++i) {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  }
  text += digits;
}

// The number a field holds, -1 for asterisks, nullopt for anything else.
std::optional<int64_t> FieldAt(std::u16string_view text, SFieldLayout layout) {
  const std::u16string_view field = text.substr(layout.at, layout.width);
  if (field.find_first_not_of(u'*') == std::u16string_view::npos) return -1;
  int64_t value = 0;
  for (const char16_t c : field) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return value;
}

}  // namespace

bool SCimDateTime::InRange(EField field, int64_t value) const {
  switch (field) {
    case Year: return value >= 0 && value <= 9999;
    case Month: return value >= 1 && value <= 12;
    case Day: return isInterval ? value >= 0 && value <= 99999999 : value >= 1 && value <= 31;
    case Hours: return value >= 0 && value <= 23;
    case Minutes:
    case Seconds: return value >= 0 && value <= 59;
    case Microseconds: return value >= 0 && value <= 999999;
    case Utc: return value >= -999 && value <= 999;
    case kFieldCount: break;
  }
  return false;
}

std::u16string SCimDateTime::Text() const {
  std::u16string text;
  if (isInterval) {
    Append(text, values[Day], kIntervalDays.width, specified[Day]);
  } else {
    for (const EField field : {Year, Month, Day}) Append(text, values[field], kPoint[field].width, specified[field]);
  }
  for (const EField field : {Hours, Minutes, Seconds}) Append(text, values[field], 2, specified[field]);
  text += u'.';
  Append(text, values[Microseconds], 6, specified[Microseconds]);
  if (isInterval) return text + u":000";
  text += values[Utc] < 0 ? u'-' : u'+';
  Append(text, values[Utc] < 0 ? -values[Utc] : values[Utc], 3, specified[Utc]);
  return text;
}

std::optional<SCimDateTime> SCimDateTime::Parse(std::u16string_view text) {
  if (text.size() != kLength || text[14] != u'.') return std::nullopt;
  SCimDateTime result;
  const char16_t sign = text[kSignAt];
  if (sign != u'+' && sign != u'-' && sign != u':') return std::nullopt;
  result.isInterval = sign == u':';
  for (int f = 0; f < kFieldCount; ++f) {
    const auto field = static_cast<EField>(f);
    if (result.isInterval && (field == Year || field == Month || field == Utc)) {
      result.specified[field] = false;
      continue;
    }
    const SFieldLayout layout = result.isInterval && field == Day ? kIntervalDays : kPoint[field];
    const std::optional<int64_t> value = FieldAt(text, layout);
    if (!value) return std::nullopt;
    result.specified[field] = *value >= 0;
    if (*value < 0) continue;
    result.values[field] = field == Utc && sign == u'-' ? -*value : *value;
    if (!result.InRange(field, result.values[field])) return std::nullopt;
  }
  if (result.isInterval && text.substr(kSignAt + 1) != u"000") return std::nullopt;
  return result;
}

}  // namespace quillet::engine
