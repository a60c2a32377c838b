// The math library: the functions of one Double (Atn ... Tan), and Abs, Fix, Int, Round and
// Sgn, which keep the subtype of their argument the way Windows does (an Integer stays an
// Integer, a Currency a Currency), read text as a Double and let Null through.

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "engine/library/BuiltinSupport.h"
#include "engine/runtime/VariantOps.h"

namespace quillet::engine::builtin {

namespace {

[[nodiscard]] double Checked(double result) {
  if (std::isnan(result)) throw CScriptError(err::InvalidCall);
  if (std::isinf(result)) throw CScriptError(err::Overflow);
  return result;
}

// A function of one Double: Null gives Null; a result out of range is 6, an argument outside
// the function's domain is 5.
CVariant OfDouble(Args a, double (*f)(double)) {
  const CVariant v = Scalar(Arg(a, 0));
  if (v.IsNull()) return v;
  return CVariant::Double(Checked(f(v.ToDouble())));
}

CVariant FnAtn(Args a) { return OfDouble(a, [](double x) { return std::atan(x); }); }
CVariant FnCos(Args a) { return OfDouble(a, [](double x) { return std::cos(x); }); }
CVariant FnSin(Args a) { return OfDouble(a, [](double x) { return std::sin(x); }); }
CVariant FnTan(Args a) { return OfDouble(a, [](double x) { return std::tan(x); }); }
CVariant FnExp(Args a) { return OfDouble(a, [](double x) { return std::exp(x); }); }
CVariant FnLog(Args a) {
  return OfDouble(a, [](double x) {
    if (x <= 0) throw CScriptError(err::InvalidCall);
    return std::log(x);
  });
}
CVariant FnSqr(Args a) {
  return OfDouble(a, [](double x) {
    if (x < 0) throw CScriptError(err::InvalidCall);
    return std::sqrt(x);
  });
}

// Applies a rounding to a value, keeping its subtype: whole-number subtypes come back as
// they are, Empty and Boolean as Integer, text as Double. The rounding works on doubles and
// on Currency's scaled integer (so that no digit of a Currency is lost).
template <class OnDouble, class OnScaled>
CVariant Rounded(const CVariant& value, OnDouble onDouble, OnScaled onScaled) {
  switch (value.Type()) {
    case EVarType::Null:
    case EVarType::Byte:
    case EVarType::Integer:
    case EVarType::Long: return value;
    case EVarType::Empty: return CVariant::Integer(0);
    case EVarType::Boolean: return CVariant::Integer(value.AsBool() ? -1 : 0);
    case EVarType::Single: return CVariant::Single(static_cast<float>(onDouble(value.AsSingle())));
    case EVarType::Currency: return CVariant::CurrencyScaled(onScaled(value.AsCurrencyScaled()));
    case EVarType::Date: return CVariant::Date(onDouble(value.AsDouble()));
    default: return CVariant::Double(onDouble(value.ToDouble()));
  }
}

constexpr int64_t kCurrencyScale = 10000;

CVariant FnFix(Args a) {
  return Rounded(Scalar(Arg(a, 0)), [](double x) { return std::trunc(x); },
                 [](int64_t c) { return c / kCurrencyScale * kCurrencyScale; });
}

CVariant FnInt(Args a) {
  return Rounded(Scalar(Arg(a, 0)), [](double x) { return std::floor(x); }, [](int64_t c) {
    const int64_t whole = c / kCurrencyScale * kCurrencyScale;
    if (whole > c && whole < std::numeric_limits<int64_t>::min() + kCurrencyScale) {
      throw CScriptError(err::Overflow);  // the next whole number down is below Currency's range
    }
    return whole > c ? whole - kCurrencyScale : whole;
  });
}

// Banker's rounding of a scaled Currency to a multiple of unit.
[[nodiscard]] int64_t RoundScaled(int64_t c, int64_t unit) {
  int64_t q = c / unit;
  const int64_t r = c % unit;
  if (2 * (r < 0 ? -r : r) > unit || (2 * (r < 0 ? -r : r) == unit && q % 2 != 0)) q += r < 0 ? -1 : 1;
  int64_t rounded = 0;
  // Rounding away from zero at the ends of Currency's range can leave it.
  if (__builtin_mul_overflow(q, unit, &rounded)) throw CScriptError(err::Overflow);
  return rounded;
}

// Round(expression[, digits]): half to even, at digits after the point (a negative count is 5).
CVariant FnRound(Args a) {
  const int32_t digits = Given(a, 1) ? LongArg(a, 1) : 0;
  if (digits < 0) throw CScriptError(err::InvalidCall);
  const CVariant v = Scalar(Arg(a, 0));
  if (v.Type() == EVarType::Currency) {
    if (digits >= 4) return v;
    int64_t unit = 1;
    for (int32_t i = digits; i < 4; ++i) unit *= 10;
    return CVariant::CurrencyScaled(RoundScaled(v.AsCurrencyScaled(), unit));
  }
  if (digits == 0) return Rounded(v, [](double x) { return RoundHalfEven(x); }, [](int64_t c) { return c; });
  if (digits > 22) return Rounded(v, [](double x) { return x; }, [](int64_t c) { return c; });
  const double scale = std::pow(10.0, digits);
  return Rounded(v, [scale](double x) {
    const double scaled = x * scale;
    // Beyond 2^52 a double holds no fraction: nothing is left to round.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) return x;
    return RoundHalfEven(scaled) / scale;
  }, [](int64_t c) { return c; });
}

CVariant FnAbs(Args a) {
  const CVariant v = Scalar(Arg(a, 0));
  if (v.IsNull()) return v;
  if (v.IsEmpty()) return CVariant::Integer(0);
  if (v.IsString()) return CVariant::Double(std::fabs(v.ToDouble()));
  if (v.Type() == EVarType::Date) return CVariant::Date(std::fabs(v.AsDouble()));
  if (v.Type() == EVarType::Boolean) return CVariant::Integer(v.AsBool() ? 1 : 0);
  // Negate promotes the one value whose negation does not fit (-32768 becomes a Long).
  return ops::Compare(v, CVariant::Integer(0)) == ops::ECompare::Less ? ops::Negate(v) : v;
}

CVariant FnSgn(Args a) {
  const CVariant v = Scalar(Arg(a, 0));
  if (v.IsNull()) return v;
  const double x = v.ToDouble();
  return CVariant::Integer(static_cast<int16_t>(x > 0 ? 1 : x < 0 ? -1 : 0));
}

// RGB(red, green, blue): a component above 255 counts as 255; a negative one is 5.
CVariant FnRGB(Args a) {
  int32_t colour = 0;
  for (size_t i = 0; i < 3; ++i) {
    const int32_t component = LongArg(a, i);
    if (component < 0) throw CScriptError(err::InvalidCall);
    colour |= std::min(component, 255) << (8 * i);
  }
  return CVariant::Long(colour);
}

constexpr std::array kMath{
    SBuiltin{u"abs", 1, 1, FnAbs}, SBuiltin{u"atn", 1, 1, FnAtn},     SBuiltin{u"cos", 1, 1, FnCos},
    SBuiltin{u"exp", 1, 1, FnExp}, SBuiltin{u"fix", 1, 1, FnFix},     SBuiltin{u"int", 1, 1, FnInt},
    SBuiltin{u"log", 1, 1, FnLog}, SBuiltin{u"rgb", 3, 3, FnRGB},
    SBuiltin{u"round", 1, 2, FnRound}, SBuiltin{u"sgn", 1, 1, FnSgn},
    SBuiltin{u"sin", 1, 1, FnSin}, SBuiltin{u"sqr", 1, 1, FnSqr},     SBuiltin{u"tan", 1, 1, FnTan},
};

}  // namespace

std::span<const SBuiltin> MathLibrary() { return kMath; }

}  // namespace quillet::engine::builtin
