#pragma once
// The operators of the language on Variants, with Windows' rules: subtype promotion on
// overflow (Byte -> Integer -> Long -> Double), strings read as numbers in arithmetic,
// Empty as 0 or "", Boolean as -1/0, Null propagating (with the exceptions of And, Or and Imp
// where the other side decides), dates as numbers. All of them throw CScriptError.

#include "engine/runtime/Variant.h"

namespace quillet::engine::ops {

[[nodiscard]] CVariant Add(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Subtract(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Multiply(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Divide(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant IntDivide(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Modulo(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Power(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Negate(const CVariant& a);
[[nodiscard]] CVariant Concat(const CVariant& a, const CVariant& b);

[[nodiscard]] CVariant Not(const CVariant& a);
[[nodiscard]] CVariant And(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Or(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Xor(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Eqv(const CVariant& a, const CVariant& b);
[[nodiscard]] CVariant Imp(const CVariant& a, const CVariant& b);

enum class ECompare { Less, Equal, Greater, Null };

// A literal operand changes the rule for number against string: the other side is converted
// to the literal's kind. Between two variables a number is always less than a string.
[[nodiscard]] ECompare Compare(const CVariant& a, const CVariant& b, bool aLiteral = false,
                               bool bLiteral = false);
// Binary (ordinal) or text (case-insensitive) comparison of strings, -1/0/1.
[[nodiscard]] int CompareStrings(std::u16string_view a, std::u16string_view b, bool text);
// Both sides must be objects (Nothing included); 424 otherwise.
[[nodiscard]] bool Is(const CVariant& a, const CVariant& b);

}  // namespace quillet::engine::ops
