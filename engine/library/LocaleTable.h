#pragma once
// The regional settings the formatting functions need, for the locales scripts commonly run
// under, keyed by LCID as GetLocale and SetLocale see them. There is no operating system to
// ask, so the data is built in; an LCID missing from the table is an unknown locale.

#include <array>
#include <cstdint>
#include <string_view>

namespace quillet::engine {

struct SLocaleInfo {
  uint32_t lcid;
  std::u16string_view name;  // lower case, "en-us"
  std::u16string_view decimal;
  std::u16string_view thousands;
  int groupSize;
  int numberDigits;
  int negativeNumber;  // 0 "(n)", 1 "-n", 2 "- n", 3 "n-", 4 "n -"
  std::u16string_view currency;
  int currencyDigits;
  int positiveCurrency;  // 0 "$n", 1 "n$", 2 "$ n", 3 "n $"
  int negativeCurrency;  // 0 "($n)" ... 15 "(n $)", Windows' numbering
  std::u16string_view shortDate;
  std::u16string_view longDate;
  std::u16string_view longTime;
  std::u16string_view am;
  std::u16string_view pm;
  std::array<std::u16string_view, 12> months;
  // The month as it reads after a day number ("6 grudnia"); empty where it does not change.
  std::array<std::u16string_view, 12> monthsAfterDay;
  std::array<std::u16string_view, 7> weekdays;  // from Sunday
};

inline constexpr uint32_t kEnglishUnitedStates = 1033;

// Null when the table has no such locale.
[[nodiscard]] const SLocaleInfo* FindLocale(uint32_t lcid);
// "de-de" or the bare language "de", in any case; null when unknown.
[[nodiscard]] const SLocaleInfo* FindLocaleByName(std::u16string_view name);

// The locale a POSIX locale value names ("de_DE.UTF-8", "fr_FR@euro"); en-US for "C",
// "POSIX", an empty value or a locale the table lacks.
[[nodiscard]] uint32_t LocaleIdFromPosixName(std::string_view value);
// The user's locale from LC_ALL, LC_NUMERIC, LC_TIME, LANG, read once per process.
[[nodiscard]] uint32_t SystemLocaleId();

// The locale of the running script (SetLocale's), en-US when it is not in the table.
[[nodiscard]] const SLocaleInfo& CurrentLocale();

}  // namespace quillet::engine
