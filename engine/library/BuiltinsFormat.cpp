// The formatting library: FormatNumber, FormatCurrency, FormatPercent and FormatDateTime under
// the script's locale, and GetLocale and SetLocale, which choose it. Every argument that
// cannot be read as a number or date, Null included, is a type mismatch (13), as it is when
// Windows' functions receive a database field that holds Null.

#include <array>
#include <utility>

#include "engine/library/BuiltinSupport.h"
#include "engine/library/DateText.h"
#include "engine/library/LocaleTable.h"
#include "engine/library/NumberText.h"
#include "engine/vm/RuntimeState.h"

namespace quillet::engine::builtin {

namespace {

// The longest fraction a script may ask for; beyond it the text would be all padding.
constexpr int32_t kMaxFractionDigits = 255;

[[nodiscard]] CVariant NumberToFormat(Args a) {
  const CVariant v = Scalar(Arg(a, 0));
  if (v.IsString()) {
    double value = 0;
    if (!ParseNumber(v.AsString(), value)) throw CScriptError(err::TypeMismatch);
    return CVariant::Double(value);
  }
  if (!v.IsNumeric() && !v.IsEmpty()) throw CScriptError(err::TypeMismatch);
  return v;
}

// NumDigitsAfterDecimal: -1 (or missing) is the locale's count.
[[nodiscard]] int FractionDigitsArg(Args a, size_t i, int localeDigits) {
  if (!Given(a, i)) return localeDigits;
  const int32_t digits = LongArg(a, i);
  if (digits == -1) return localeDigits;
  if (digits < -1 || digits > kMaxFractionDigits) throw CScriptError(err::InvalidCall);
  return digits;
}

enum class ETristate { UseDefault, True, False };

// -2 (or missing) leaves the choice to the locale, 0 is false, any other value true.
[[nodiscard]] ETristate TristateArg(Args a, size_t i) {
  if (!Given(a, i)) return ETristate::UseDefault;
  const int32_t value = LongArg(a, i);
  if (value == -2) return ETristate::UseDefault;
  return value == 0 ? ETristate::False : ETristate::True;
}

[[nodiscard]] bool Resolve(ETristate choice, bool localeDefault) {
  return choice == ETristate::UseDefault ? localeDefault : choice == ETristate::True;
}

// Substitutes a Windows format template: n is the number, $ the currency symbol.
[[nodiscard]] std::u16string Expand(std::u16string_view pattern, const std::u16string& number,
                                    std::u16string_view symbol) {
  std::u16string text;
  for (const char16_t c : pattern) {
    if (c == u'n') text += number;
    else if (c == u'$') text.append(symbol);
    else text.push_back(c);
  }
  return text;
}

constexpr std::array<std::u16string_view, 5> kNegativeNumber{u"(n)", u"-n", u"- n", u"n-", u"n -"};
constexpr std::array<std::u16string_view, 4> kPositiveCurrency{u"$n", u"n$", u"$ n", u"n $"};
constexpr std::array<std::u16string_view, 16> kNegativeCurrency{
    u"($n)", u"-$n", u"$-n", u"$n-", u"(n$)", u"-n$", u"n-$", u"n$-",
    u"-n $", u"-$ n", u"n $-", u"$ n-", u"$ -n", u"n- $", u"($ n)", u"(n $)"};

[[nodiscard]] size_t Clamped(int index, size_t size) {
  return index >= 0 && static_cast<size_t>(index) < size ? static_cast<size_t>(index) : 1;
}

// The negative-number template, with parentheses forced on or off when the script asks.
[[nodiscard]] std::u16string_view NegativeNumberPattern(ETristate parens, const SLocaleInfo& locale) {
  const size_t pattern = Clamped(locale.negativeNumber, kNegativeNumber.size());
  if (parens == ETristate::True) return kNegativeNumber[0];
  if (parens == ETristate::False && pattern == 0) return kNegativeNumber[1];
  return kNegativeNumber[pattern];
}

[[nodiscard]] bool IsParenthesised(size_t currencyPattern) {
  return currencyPattern == 0 || currencyPattern == 4 || currencyPattern == 14 || currencyPattern == 15;
}

// The negative-currency template; forcing parentheses on or off keeps the symbol where the
// locale puts it.
[[nodiscard]] std::u16string_view NegativeCurrencyPattern(ETristate parens, const SLocaleInfo& locale) {
  const size_t pattern = Clamped(locale.negativeCurrency, kNegativeCurrency.size());
  if (parens == ETristate::UseDefault || (parens == ETristate::True) == IsParenthesised(pattern)) {
    return kNegativeCurrency[pattern];
  }
  if (parens == ETristate::True) {
    static constexpr std::array<size_t, 4> kWithParens{0, 4, 14, 15};  // by positive pattern
    return kNegativeCurrency[kWithParens[Clamped(locale.positiveCurrency, kWithParens.size())]];
  }
  static constexpr std::array<std::pair<size_t, size_t>, 4> kWithoutParens{{{0, 1}, {4, 5}, {14, 9}, {15, 8}}};
  for (const auto& [from, to] : kWithoutParens) {
    if (from == pattern) return kNegativeCurrency[to];
  }
  return kNegativeCurrency[pattern];
}

struct SFormatRequest {
  SDecimalDigits number;
  SNumberLayout layout;
  ETristate parens = ETristate::UseDefault;
};

// Reads the four optional arguments shared by the three number functions and rounds.
[[nodiscard]] SFormatRequest ReadRequest(Args a, int localeDigits, int pointShift) {
  SFormatRequest request;
  request.number = DecimalDigitsOf(NumberToFormat(a));
  if (!request.number.digits.empty()) request.number.point += pointShift;
  request.layout.fractionDigits = FractionDigitsArg(a, 1, localeDigits);
  request.layout.leadingZero = Resolve(TristateArg(a, 2), true);
  request.parens = TristateArg(a, 3);
  request.layout.groupDigits = Resolve(TristateArg(a, 4), true);
  RoundDecimal(request.number, request.layout.fractionDigits);
  return request;
}

// A value that rounds to zero shows no sign.
[[nodiscard]] bool ShowsNegative(const SDecimalDigits& number) { return number.negative && !number.digits.empty(); }

[[nodiscard]] std::u16string NumberText(const SFormatRequest& request, const SLocaleInfo& locale,
                                        std::u16string_view suffix) {
  std::u16string text = LayoutMagnitude(request.number, request.layout, locale);
  text.append(suffix);
  if (!ShowsNegative(request.number)) return text;
  return Expand(NegativeNumberPattern(request.parens, locale), text, {});
}

CVariant FnFormatNumber(Args a) {
  const SLocaleInfo& locale = CurrentLocale();
  return CVariant::String(NumberText(ReadRequest(a, locale.numberDigits, 0), locale, {}));
}

// The value times 100, moved in decimal so that 0.256 shows 25.60 and not a binary neighbour.
CVariant FnFormatPercent(Args a) {
  const SLocaleInfo& locale = CurrentLocale();
  return CVariant::String(NumberText(ReadRequest(a, locale.numberDigits, 2), locale, u"%"));
}

CVariant FnFormatCurrency(Args a) {
  const SLocaleInfo& locale = CurrentLocale();
  const SFormatRequest request = ReadRequest(a, locale.currencyDigits, 0);
  const std::u16string magnitude = LayoutMagnitude(request.number, request.layout, locale);
  const std::u16string_view pattern =
      ShowsNegative(request.number)
          ? NegativeCurrencyPattern(request.parens, locale)
          : kPositiveCurrency[Clamped(locale.positiveCurrency, kPositiveCurrency.size())];
  return CVariant::String(Expand(pattern, magnitude, locale.currency));
}

enum ENamedFormat { kGeneralDate = 0, kLongDate = 1, kShortDate = 2, kLongTime = 3, kShortTime = 4 };

// vbGeneralDate: the date, the time, or both, leaving out a part that is zero; midnight of
// day 0 is a time.
[[nodiscard]] std::u16string GeneralDate(const SDateTime& t, const SLocaleInfo& locale) {
  const bool hasDate = t.days != 0;
  const bool hasTime = t.seconds != 0 || !hasDate;
  std::u16string text;
  if (hasDate) text = FormatDatePicture(locale.shortDate, t, locale);
  if (hasDate && hasTime) text += u' ';
  if (hasTime) text += FormatDatePicture(locale.longTime, t, locale);
  return text;
}

CVariant FnFormatDateTime(Args a) {
  if (IsNullArg(a, 0)) throw CScriptError(err::TypeMismatch);
  const double date = DateArg(Arg(a, 0));
  const int32_t format = Given(a, 1) ? LongArg(a, 1) : kGeneralDate;
  if (format < kGeneralDate || format > kShortTime) throw CScriptError(err::InvalidCall);
  const SLocaleInfo& locale = CurrentLocale();
  const SDateTime t = SplitDate(date);
  switch (format) {
    case kLongDate: return CVariant::String(FormatDatePicture(locale.longDate, t, locale));
    case kShortDate: return CVariant::String(FormatDatePicture(locale.shortDate, t, locale));
    case kLongTime: return CVariant::String(FormatDatePicture(locale.longTime, t, locale));
    // The short time is on the 24-hour clock in every locale.
    case kShortTime: return CVariant::String(FormatDatePicture(u"HH:mm", t, locale));
    default: return CVariant::String(GeneralDate(t, locale));
  }
}

CVariant FnGetLocale(Args) { return CVariant::Long(static_cast<int32_t>(CurrentRuntime().localeId)); }

// SetLocale(lcid or name): 0 is the user's locale; returns the locale it replaces.
CVariant FnSetLocale(Args a) {
  const CVariant v = Scalar(Arg(a, 0));
  if (v.IsNull()) throw CScriptError(err::InvalidUseOfNull);
  const SLocaleInfo* locale = nullptr;
  if (v.IsString()) {
    locale = FindLocaleByName(v.AsString());
  } else {
    const int32_t lcid = v.ToLong();
    locale = FindLocale(lcid == 0 ? SystemLocaleId() : static_cast<uint32_t>(lcid));
  }
  if (locale == nullptr) throw CScriptError(err::InvalidCall);
  SRuntimeState& runtime = CurrentRuntime();
  const uint32_t previous = runtime.localeId;
  runtime.localeId = locale->lcid;
  return CVariant::Long(static_cast<int32_t>(previous));
}

constexpr std::array kFormat{
    SBuiltin{u"formatcurrency", 1, 5, FnFormatCurrency}, SBuiltin{u"formatdatetime", 1, 2, FnFormatDateTime},
    SBuiltin{u"formatnumber", 1, 5, FnFormatNumber},     SBuiltin{u"formatpercent", 1, 5, FnFormatPercent},
    SBuiltin{u"getlocale", 0, 0, FnGetLocale},           SBuiltin{u"setlocale", 1, 1, FnSetLocale},
};

}  // namespace

std::span<const SBuiltin> FormatLibrary() { return kFormat; }

}  // namespace quillet::engine::builtin
