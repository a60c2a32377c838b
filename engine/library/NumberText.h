#pragma once
// Numbers written the way FormatNumber and its siblings write them: rounded in decimal, half
// away from zero, from the digits the value shows (15 significant digits for a Double, 7 for
// a Single, every digit of a whole number or a Currency), so that 1.005 rounds to 1.01 as the
// user reads it rather than to the binary value just below it.

#include <string>

#include "engine/library/LocaleTable.h"
#include "engine/runtime/Variant.h"

namespace quillet::engine {

// value = 0.digits x 10^point; digits holds no leading zero and is empty for zero.
struct SDecimalDigits {
  bool negative = false;
  std::string digits;
  int point = 0;
};

// The digits of a numeric value (Empty is zero); 6 for an infinite value, 5 for NaN.
[[nodiscard]] SDecimalDigits DecimalDigitsOf(const CVariant& number);

// Rounds to fractionDigits places after the point, half away from zero.
void RoundDecimal(SDecimalDigits& number, int fractionDigits);

struct SNumberLayout {
  int fractionDigits = 2;
  bool leadingZero = true;
  bool groupDigits = true;
};

// The magnitude with the locale's separators and no sign.
[[nodiscard]] std::u16string LayoutMagnitude(const SDecimalDigits& number, const SNumberLayout& layout,
                                             const SLocaleInfo& locale);

}  // namespace quillet::engine
