#include "typeinfo/VariantValue.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace quillet::typeinfo {

namespace {

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string FormatReal(double value, int digits) {
  if (std::isnan(value) || std::isinf(value)) return {};
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
  return Ascii(buffer);
}

std::u16string FormatCurrency(std::int64_t scaled) {
  const bool negative = scaled < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  std::string text = std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return Ascii(negative ? "-" + text : text);
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned mp = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

// Automation dates count days from 1899-12-30; the fraction is the time of day, also for
// negative dates (where it counts forward from the whole day).
std::u16string FormatDate(double value) {
  if (!std::isfinite(value) || std::fabs(value) > 3e6) return {};
  const double whole = std::trunc(value);
  const double fraction = std::fabs(value - whole);
  auto seconds = static_cast<std::int64_t>(std::llround(fraction * 86400.0));
  auto dayNumber = static_cast<std::int64_t>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    dayNumber += value < 0 ? -1 : 1;
  }
  std::string text;
  if (dayNumber != 0) {
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(dayNumber - 25569, year, month, day);
    text = std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
  }
  if (seconds != 0 || dayNumber == 0) {
    const auto hour = seconds / 3600;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", static_cast<int>(hour % 12 == 0 ? 12 : hour % 12),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60), hour < 12 ? "AM" : "PM");
    if (!text.empty()) text += ' ';
    text += buffer;
  }
  return Ascii(text);
}

}  // namespace

bool IsIntegerType(std::uint16_t type) {
  switch (type) {
    case vt::kI1: case vt::kI2: case vt::kI4: case vt::kI8: case vt::kUi1: case vt::kUi2:
    case vt::kUi4: case vt::kUi8: case vt::kInt: case vt::kUint: case vt::kBool: case vt::kError:
    case vt::kHresult: case vt::kCy:
      return true;
    default:
      return false;
  }
}

std::int64_t NormalizeInteger(std::uint16_t type, std::uint64_t raw) {
  switch (type) {
    case vt::kI1: return static_cast<std::int8_t>(raw);
    case vt::kUi1: return static_cast<std::uint8_t>(raw);
    case vt::kI2: return static_cast<std::int16_t>(raw);
    case vt::kBool: return static_cast<std::int16_t>(raw) != 0 ? -1 : 0;
    case vt::kUi2: return static_cast<std::uint16_t>(raw);
    case vt::kI4: case vt::kInt: case vt::kError: case vt::kHresult:
      return static_cast<std::int32_t>(raw);
    case vt::kUi4: case vt::kUint: return static_cast<std::uint32_t>(raw);
    default: return static_cast<std::int64_t>(raw);
  }
}

std::u16string VariantToText(const SVariant& value) {
  switch (value.vt) {
    case vt::kBstr: return value.text;
    case vt::kR4: return FormatReal(value.real, 7);
    case vt::kR8: return FormatReal(value.real, 15);
    case vt::kDate: return FormatDate(value.real);
    case vt::kCy: return FormatCurrency(value.integer);
    case vt::kUi8: return Ascii(std::to_string(static_cast<std::uint64_t>(value.integer)));
    default:
      if (IsIntegerType(value.vt)) return Ascii(std::to_string(value.integer));
      return {};
  }
}

}  // namespace quillet::typeinfo
