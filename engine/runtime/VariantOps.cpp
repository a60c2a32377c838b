#include "engine/runtime/VariantOps.h"

#include <cmath>
#include <limits>
#include <cstdint>

#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine::ops {

namespace {

// Result ranks of the arithmetic operators, narrowest first.
enum class ERank { Byte, Integer, Long, Single, Double, Currency, Date };

// A numeric operand ready for arithmetic: objects resolved, strings read as Double, Empty
// and Boolean as Integer. Null stays Null.
CVariant Operand(const CVariant& value) {
  const CVariant& v = value.Deref();
  switch (v.Type()) {
    case EVarType::Empty: return CVariant::Integer(0);
    case EVarType::Boolean: return CVariant::Integer(v.AsBool() ? -1 : 0);
    case EVarType::Null: return CVariant::Null();
    case EVarType::String: return CVariant::Double(v.ToDouble());
    case EVarType::Object: {
      if (v.AsObject() == nullptr) throw CScriptError(err::ObjectNotSet);
      return Operand(v.AsObject()->Invoke(u"", EInvokeKind::Get, {}));
    }
    default:
      if (!v.IsNumeric()) throw CScriptError(err::TypeMismatch);
      return v;
  }
}

ERank RankOf(const CVariant& v) {
  switch (v.Type()) {
    case EVarType::Byte: return ERank::Byte;
    case EVarType::Integer: return ERank::Integer;
    case EVarType::Long: return ERank::Long;
    case EVarType::Single: return ERank::Single;
    case EVarType::Currency: return ERank::Currency;
    case EVarType::Date: return ERank::Date;
    default: return ERank::Double;
  }
}

ERank Combine(const CVariant& a, const CVariant& b) {
  const ERank ra = RankOf(a);
  const ERank rb = RankOf(b);
  // A Single cannot hold every Long, so the pair goes to Double.
  if ((ra == ERank::Single && rb == ERank::Long) || (ra == ERank::Long && rb == ERank::Single)) {
    return ERank::Double;
  }
  return ra > rb ? ra : rb;
}

// The narrowest integer subtype at or above rank that holds value, else Double.
CVariant FitInteger(int64_t value, ERank rank) {
  if (rank == ERank::Byte && value >= 0 && value <= 255) return CVariant::Byte(static_cast<uint8_t>(value));
  if (rank <= ERank::Integer && value >= INT16_MIN && value <= INT16_MAX) {
    return CVariant::Integer(static_cast<int16_t>(value));
  }
  if (value >= INT32_MIN && value <= INT32_MAX) return CVariant::Long(static_cast<int32_t>(value));
  return CVariant::Double(static_cast<double>(value));
}

CVariant FromDouble(double value, ERank rank) {
  if (!std::isfinite(value)) throw CScriptError(err::Overflow);
  switch (rank) {
    case ERank::Single: {
      if (std::fabs(value) > 3.402823466e38) return CVariant::Double(value);
      return CVariant::Single(static_cast<float>(value));
    }
    case ERank::Date: return CVariant::Date(value);
    case ERank::Currency: return CVariant::CurrencyScaled(CVariant::Double(value).ToCurrencyScaled());
    default: return CVariant::Double(value);
  }
}

enum class EArith { Add, Subtract, Multiply };

CVariant Arithmetic(const CVariant& left, const CVariant& right, EArith op) {
  const CVariant a = Operand(left);
  const CVariant b = Operand(right);
  if (a.IsNull() || b.IsNull()) return CVariant::Null();
  ERank rank = Combine(a, b);
  if (rank <= ERank::Long) {
    const int64_t x = a.ToLong();
    const int64_t y = b.ToLong();
    const int64_t r = op == EArith::Add ? x + y : op == EArith::Subtract ? x - y : x * y;
    return FitInteger(r, rank);
  }
  if (rank == ERank::Date && (op == EArith::Multiply ||
                              (op == EArith::Subtract && a.Type() == EVarType::Date && b.Type() == EVarType::Date))) {
    rank = ERank::Double;
  }
  const double x = a.ToDouble();
  const double y = b.ToDouble();
  return FromDouble(op == EArith::Add ? x + y : op == EArith::Subtract ? x - y : x * y, rank);
}

// Integer division and Mod round both sides to whole numbers first.
ERank IntegerRank(const CVariant& a, const CVariant& b) {
  const ERank r = Combine(a, b);
  return r > ERank::Long ? ERank::Long : r;
}

// The operand of the bitwise operators; Boolean stays Boolean so that two Booleans give one.
CVariant LogicalOperand(const CVariant& value) {
  const CVariant& v = value.Deref();
  if (v.Type() == EVarType::Boolean || v.IsNull()) return v;
  if (v.Type() == EVarType::String) {
    double number = 0;
    if (ParseNumber(v.AsString(), number)) return CVariant::Long(v.ToLong());
    return CVariant::Boolean(v.ToBool());  // "True" and "False" read as Booleans
  }
  return Operand(v);
}

int64_t Bits(const CVariant& v) { return v.ToLong(); }

ERank BitRank(const CVariant& a, const CVariant& b) {
  auto rankOf = [](const CVariant& v) {
    if (v.Type() == EVarType::Boolean) return ERank::Integer;
    if (v.Type() == EVarType::Byte) return ERank::Byte;
    if (v.Type() == EVarType::Integer) return ERank::Integer;
    return ERank::Long;
  };
  const ERank ra = rankOf(a);
  const ERank rb = rankOf(b);
  return ra > rb ? ra : rb;
}

CVariant FitBits(int64_t value, ERank rank) {
  if (rank == ERank::Byte) return CVariant::Byte(static_cast<uint8_t>(value));
  if (rank == ERank::Integer) return CVariant::Integer(static_cast<int16_t>(value));
  return CVariant::Long(static_cast<int32_t>(value));
}

enum class ELogic { And, Or, Xor, Eqv, Imp };

int64_t ApplyLogic(int64_t x, int64_t y, ELogic op) {
  switch (op) {
    case ELogic::And: return x & y;
    case ELogic::Or: return x | y;
    case ELogic::Xor: return x ^ y;
    case ELogic::Eqv: return ~(x ^ y);
    case ELogic::Imp: return ~x | y;
  }
  return 0;
}

CVariant Logic(const CVariant& left, const CVariant& right, ELogic op) {
  const CVariant a = LogicalOperand(left);
  const CVariant b = LogicalOperand(right);
  if (a.IsNull() || b.IsNull()) {
    // Null is "unknown": the result is known only when the other side decides it alone.
    const CVariant& other = a.IsNull() ? b : a;
    if (other.IsNull()) return CVariant::Null();
    const int64_t bits = Bits(other);
    if (op == ELogic::And && bits == 0) return other.Type() == EVarType::Boolean ? CVariant::Boolean(false) : FitBits(0, BitRank(other, other));
    if (op == ELogic::Or && bits == -1) return other;
    if (op == ELogic::Imp) {
      if (a.IsNull() && bits == -1) return other;
      if (b.IsNull() && bits == 0) return other.Type() == EVarType::Boolean ? CVariant::Boolean(true) : FitBits(-1, BitRank(other, other));
    }
    return CVariant::Null();
  }
  const int64_t r = ApplyLogic(Bits(a), Bits(b), op);
  if (a.Type() == EVarType::Boolean && b.Type() == EVarType::Boolean) return CVariant::Boolean(r != 0);
  return FitBits(r, BitRank(a, b));
}

CVariant ComparableValue(const CVariant& value) {
  const CVariant& v = value.Deref();
  if (v.IsObject()) {
    if (v.AsObject() == nullptr) throw CScriptError(err::ObjectNotSet);
    return v.AsObject()->Invoke(u"", EInvokeKind::Get, {});
  }
  if (v.IsArray() || v.Type() == EVarType::Error) throw CScriptError(err::TypeMismatch);
  return v;
}

ECompare Order(double x, double y) {
  return x < y ? ECompare::Less : x > y ? ECompare::Greater : ECompare::Equal;
}

ECompare FromInt(int value) { return value < 0 ? ECompare::Less : value > 0 ? ECompare::Greater : ECompare::Equal; }

}  // namespace

CVariant Add(const CVariant& left, const CVariant& right) {
  const CVariant& a = left.Deref();
  const CVariant& b = right.Deref();
  if (a.IsString() && b.IsString()) {
    std::u16string text(a.AsString());
    text += b.AsString();
    return CVariant::String(text);
  }
  // Null wins before any conversion: "a" + Null is Null, not a failed reading of "a" as a
  // number. An object still gives its default value, and an array still cannot be added.
  if (a.IsNull() || b.IsNull()) {
    const CVariant& other = a.IsNull() ? b : a;
    const CVariant value = other.IsObject() ? ComparableValue(other) : other;
    if (value.IsArray() || value.IsObject()) throw CScriptError(err::TypeMismatch);
    return CVariant::Null();
  }
  // A string meeting Empty is still concatenation: "" + Empty is "".
  if ((a.IsString() && b.IsEmpty()) || (a.IsEmpty() && b.IsString())) return a.IsString() ? a : b;
  return Arithmetic(a, b, EArith::Add);
}

CVariant Subtract(const CVariant& a, const CVariant& b) { return Arithmetic(a, b, EArith::Subtract); }
CVariant Multiply(const CVariant& a, const CVariant& b) { return Arithmetic(a, b, EArith::Multiply); }

CVariant Divide(const CVariant& left, const CVariant& right) {
  const CVariant a = Operand(left);
  const CVariant b = Operand(right);
  if (a.IsNull() || b.IsNull()) return CVariant::Null();
  const double x = a.ToDouble();
  const double y = b.ToDouble();
  if (y == 0) throw CScriptError(x == 0 ? err::Overflow : err::DivisionByZero);
  const ERank rank = Combine(a, b);
  const bool single = rank == ERank::Single ||
                      (rank <= ERank::Integer && (a.Type() == EVarType::Single || b.Type() == EVarType::Single));
  return FromDouble(x / y, single ? ERank::Single : ERank::Double);
}

CVariant IntDivide(const CVariant& left, const CVariant& right) {
  const CVariant a = Operand(left);
  const CVariant b = Operand(right);
  if (a.IsNull() || b.IsNull()) return CVariant::Null();
  const int64_t x = a.ToLong();
  const int64_t y = b.ToLong();
  if (y == 0) throw CScriptError(err::DivisionByZero);
  return FitInteger(x / y, IntegerRank(a, b));
}

CVariant Modulo(const CVariant& left, const CVariant& right) {
  const CVariant a = Operand(left);
  const CVariant b = Operand(right);
  if (a.IsNull() || b.IsNull()) return CVariant::Null();
  const int64_t x = a.ToLong();
  const int64_t y = b.ToLong();
  if (y == 0) throw CScriptError(err::DivisionByZero);
  return FitInteger(x % y, IntegerRank(a, b));
}

CVariant Power(const CVariant& left, const CVariant& right) {
  const CVariant a = Operand(left);
  const CVariant b = Operand(right);
  if (a.IsNull() || b.IsNull()) return CVariant::Null();
  const double x = a.ToDouble();
  const double y = b.ToDouble();
  if (x < 0 && y != std::floor(y)) throw CScriptError(err::InvalidCall);
  if (x == 0 && y < 0) throw CScriptError(err::InvalidCall);
  return FromDouble(std::pow(x, y), ERank::Double);
}

CVariant Negate(const CVariant& value) {
  const CVariant a = Operand(value);
  switch (a.Type()) {
    case EVarType::Null: return a;
    case EVarType::Byte: return CVariant::Integer(static_cast<int16_t>(-a.AsByte()));
    case EVarType::Integer: return FitInteger(-int64_t{a.AsInteger()}, ERank::Integer);
    case EVarType::Long: return FitInteger(-int64_t{a.AsLong()}, ERank::Long);
    case EVarType::Single: return CVariant::Single(-a.AsSingle());
    case EVarType::Currency:
      // The most negative Currency has no positive counterpart.
      if (a.AsCurrencyScaled() == std::numeric_limits<int64_t>::min()) throw CScriptError(err::Overflow);
      return CVariant::CurrencyScaled(-a.AsCurrencyScaled());
    case EVarType::Date: return CVariant::Date(-a.AsDouble());
    default: return CVariant::Double(-a.ToDouble());
  }
}

CVariant Concat(const CVariant& left, const CVariant& right) {
  const CVariant& a = left.Deref();
  const CVariant& b = right.Deref();
  if (a.IsNull() && b.IsNull()) return CVariant::Null();
  std::u16string text = a.IsNull() ? std::u16string() : a.ToString();
  if (!b.IsNull()) {
    if (b.IsString()) {
      CheckStringLength(text.size() + b.AsString().size());
      text += b.AsString();
    } else {
      const std::u16string tail = b.ToString();
      CheckStringLength(text.size() + tail.size());
      text += tail;
    }
  }
  return CVariant::String(text);
}

CVariant Not(const CVariant& value) {
  const CVariant a = LogicalOperand(value);
  if (a.IsNull()) return a;
  if (a.Type() == EVarType::Boolean) return CVariant::Boolean(!a.AsBool());
  return FitBits(~Bits(a), BitRank(a, a));
}

CVariant And(const CVariant& a, const CVariant& b) { return Logic(a, b, ELogic::And); }
CVariant Or(const CVariant& a, const CVariant& b) { return Logic(a, b, ELogic::Or); }
CVariant Xor(const CVariant& a, const CVariant& b) { return Logic(a, b, ELogic::Xor); }
CVariant Eqv(const CVariant& a, const CVariant& b) { return Logic(a, b, ELogic::Eqv); }
CVariant Imp(const CVariant& a, const CVariant& b) { return Logic(a, b, ELogic::Imp); }

int CompareStrings(std::u16string_view a, std::u16string_view b, bool text) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    char16_t x = a[i], y = b[i];
    if (text) {
      if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
      if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    }
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

ECompare Compare(const CVariant& left, const CVariant& right, bool aLiteral, bool bLiteral) {
  const CVariant a = ComparableValue(left);
  const CVariant b = ComparableValue(right);
  if (a.IsNull() || b.IsNull()) return ECompare::Null;
  if (a.IsEmpty() && b.IsEmpty()) return ECompare::Equal;
  if (a.IsString() && b.IsString()) return FromInt(CompareStrings(a.AsString(), b.AsString(), false));
  if (a.IsEmpty()) return b.IsString() ? FromInt(CompareStrings(u"", b.AsString(), false)) : Order(0, b.ToDouble());
  if (b.IsEmpty()) return a.IsString() ? FromInt(CompareStrings(a.AsString(), u"", false)) : Order(a.ToDouble(), 0);
  if (a.IsString() || b.IsString()) {
    const bool stringLeft = a.IsString();
    const bool numberLiteral = stringLeft ? bLiteral : aLiteral;
    const bool stringLiteral = stringLeft ? aLiteral : bLiteral;
    if (numberLiteral) return Order(a.ToDouble(), b.ToDouble());
    if (stringLiteral) return FromInt(CompareStrings(a.ToString(), b.ToString(), false));
    return stringLeft ? ECompare::Greater : ECompare::Less;
  }
  if (a.Type() == EVarType::Currency && b.Type() == EVarType::Currency) {
    return a.AsCurrencyScaled() < b.AsCurrencyScaled() ? ECompare::Less
           : a.AsCurrencyScaled() > b.AsCurrencyScaled() ? ECompare::Greater : ECompare::Equal;
  }
  return Order(a.ToDouble(), b.ToDouble());
}

bool Is(const CVariant& left, const CVariant& right) {
  const CVariant& a = left.Deref();
  const CVariant& b = right.Deref();
  if (!a.IsObject() || !b.IsObject()) throw CScriptError(err::ObjectRequired);
  return a.AsObject() == b.AsObject();
}

}  // namespace quillet::engine::ops
