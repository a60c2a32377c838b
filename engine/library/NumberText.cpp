#include "engine/library/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

namespace {

[[nodiscard]] SDecimalDigits FromMagnitude(uint64_t magnitude, bool negative, int scaleDigits) {
  SDecimalDigits d;
  d.negative = negative;
  if (magnitude == 0) return d;
  d.digits = std::to_string(magnitude);
  d.point = static_cast<int>(d.digits.size()) - scaleDigits;
  while (d.digits.back() == '0') d.digits.pop_back();
  return d;
}

[[nodiscard]] SDecimalDigits FromWhole(int64_t value, int scaleDigits = 0) {
  const bool negative = value < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  return FromMagnitude(magnitude, negative, scaleDigits);
}

[[nodiscard]] SDecimalDigits FromFloating(double value, int significantDigits) {
  if (std::isnan(value)) throw CScriptError(err::InvalidCall);
  if (std::isinf(value)) throw CScriptError(err::Overflow);
  SDecimalDigits d;
  d.negative = std::signbit(value);
  if (value == 0) return d;
  // The shortest exact way to the correctly rounded digits; printf's is several times slower.
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                                     std::chars_format::scientific, significantDigits - 1);
  *written.ptr = '\0';
  // buffer reads "d.ddddde+XX"
  char* exponent = nullptr;
  for (char* p = buffer; *p != '\0'; ++p) {
    if (*p == 'e') {
      exponent = p + 1;
      break;
    }
    if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
  }
  d.point = (exponent != nullptr ? static_cast<int>(std::strtol(exponent, nullptr, 10)) : 0) + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Inserts the separator between groups of the integer digits, counted from the right.
[[nodiscard]] std::u16string Grouped(const std::u16string& whole, const SLocaleInfo& locale) {
  if (locale.groupSize <= 0) return whole;
  const auto size = static_cast<size_t>(locale.groupSize);
  std::u16string out;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % size == 0) out.append(locale.thousands);
    out.push_back(whole[i]);
  }
  return out;
}

}  // namespace

SDecimalDigits DecimalDigitsOf(const CVariant& number) {
  switch (number.Type()) {
    case EVarType::Empty: return {};
    case EVarType::Boolean: return FromWhole(number.AsBool() ? -1 : 0);
    case EVarType::Byte: return FromWhole(number.AsByte());
    case EVarType::Integer: return FromWhole(number.AsInteger());
    case EVarType::Long: return FromWhole(number.AsLong());
    case EVarType::Currency: return FromWhole(number.AsCurrencyScaled(), 4);
    case EVarType::Single: return FromFloating(number.AsSingle(), 7);
    default: return FromFloating(number.ToDouble(), 15);
  }
}

void RoundDecimal(SDecimalDigits& number, int fractionDigits) {
  const long keep = long{number.point} + fractionDigits;
  if (keep >= static_cast<long>(number.digits.size())) return;
  if (keep < 0) {
    number.digits.clear();
    return;
  }
  const bool up = number.digits[static_cast<size_t>(keep)] >= '5';
  number.digits.resize(static_cast<size_t>(keep));
  if (up) {
    size_t i = number.digits.size();
    while (i > 0 && number.digits[i - 1] == '9') number.digits[--i] = '0';
    if (i == 0) {
      number.digits.insert(number.digits.begin(), '1');
      ++number.point;
    } else {
      ++number.digits[i - 1];
    }
  }
  while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
}

std::u16string LayoutMagnitude(const SDecimalDigits& number, const SNumberLayout& layout,
                               const SLocaleInfo& locale) {
  const std::string& digits = number.digits;
  const auto digitAt = [&digits](long i) -> char16_t {
    return i >= 0 && i < static_cast<long>(digits.size()) ? static_cast<char16_t>(digits[static_cast<size_t>(i)])
                                                           : u'0';
  };
  std::u16string whole;
  for (long i = 0; i < number.point && !digits.empty(); ++i) whole.push_back(digitAt(i));
  if (whole.empty() && layout.leadingZero) whole.push_back(u'0');
  std::u16string text = layout.groupDigits ? Grouped(whole, locale) : whole;
  if (layout.fractionDigits > 0) {
    text.append(locale.decimal);
    for (long i = 0; i < layout.fractionDigits; ++i) text.push_back(digitAt(number.point + i));
  }
  return text;
}

}  // namespace quillet::engine
