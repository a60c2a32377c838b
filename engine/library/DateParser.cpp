#include "engine/library/DateParser.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/library/CivilDate.h"

namespace quillet::engine {

namespace {

enum class EKind { Number, Month, Weekday, Meridiem, Colon, Separator };

struct SToken {
  EKind kind;
  int value = 0;   // the number, the month (1-12), or 12 for PM and 0 for AM
  int digits = 0;  // a number's digit count
};

constexpr std::array<std::u16string_view, 12> kMonths{u"january", u"february", u"march",     u"april",
                                                      u"may",     u"june",     u"july",      u"august",
                                                      u"september", u"october", u"november", u"december"};
constexpr std::array<std::u16string_view, 7> kWeekdays{u"sunday",   u"monday", u"tuesday", u"wednesday",
                                                       u"thursday", u"friday", u"saturday"};

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A full name or its first three letters.
int FindName(std::u16string_view word, const auto& names) {
  for (size_t n = 0; n < names.size(); ++n) {
    const std::u16string_view name = names[n];
    if (word.size() >= 3 && word.size() <= name.size() && name.substr(0, word.size()) == word &&
        (word.size() == 3 || word.size() == name.size())) {
      return static_cast<int>(n);
    }
  }
  return -1;
}

std::optional<SToken> WordToken(const std::u16string& word) {
  if (word == u"am" || word == u"a") return SToken{EKind::Meridiem, 0};
  if (word == u"pm" || word == u"p") return SToken{EKind::Meridiem, 12};
  if (const int month = FindName(word, kMonths); month >= 0) return SToken{EKind::Month, month + 1};
  if (FindName(word, kWeekdays) >= 0) return SToken{EKind::Weekday};
  return std::nullopt;
}

std::optional<std::vector<SToken>> Tokenize(std::u16string_view text) {
  std::vector<SToken> tokens;
  size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (IsDigit(c)) {
      SToken token{EKind::Number};
      while (i < text.size() && IsDigit(text[i])) {
        if (++token.digits > 9) return std::nullopt;
        token.value = token.value * 10 + (text[i++] - u'0');
      }
      tokens.push_back(token);
    } else if (IsLetter(c)) {
      std::u16string word;
      while (i < text.size() && IsLetter(text[i])) word += Lower(text[i++]);
      if (i < text.size() && text[i] == u'.') ++i;  // "Jan." and "a.m."-style abbreviations
      const auto token = WordToken(word);
      if (!token) return std::nullopt;
      tokens.push_back(*token);
    } else if (c == u':') {
      tokens.push_back({EKind::Colon});
      ++i;
    } else if (c == u'/' || c == u'-' || c == u'.' || c == u',') {
      tokens.push_back({EKind::Separator, static_cast<int>(c)});
      ++i;
    } else if (c == u' ' || c == u'\t') {
      ++i;
    } else {
      return std::nullopt;
    }
  }
  return tokens;
}

// Takes the time out of the tokens: h:m[:s] with an optional AM/PM, or an hour with AM/PM.
// False when the time is malformed or there are two.
bool TakeTime(std::vector<SToken>& tokens, std::optional<double>& time) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind != EKind::Number) continue;
    size_t end = i + 1;
    int parts[3] = {tokens[i].value, 0, 0};
    int count = 1;
    while (count < 3 && end + 1 < tokens.size() && tokens[end].kind == EKind::Colon &&
           tokens[end + 1].kind == EKind::Number) {
      parts[count++] = tokens[end + 1].value;
      end += 2;
    }
    if (end < tokens.size() && tokens[end].kind == EKind::Colon) return false;
    const bool meridiem = end < tokens.size() && tokens[end].kind == EKind::Meridiem;
    if (count == 1 && !meridiem) continue;
    if (time) return false;
    int hour = parts[0];
    if (meridiem) {
      if (hour < 1 || hour > 12) return false;
      hour = hour % 12 + tokens[end].value;
      ++end;
    }
    if (hour > 23 || parts[1] > 59 || parts[2] > 59) return false;
    time = (hour * 3600 + parts[1] * 60 + parts[2]) / 86400.0;
    tokens.erase(tokens.begin() + static_cast<ptrdiff_t>(i), tokens.begin() + static_cast<ptrdiff_t>(end));
    --i;
  }
  for (const SToken& token : tokens) {
    if (token.kind == EKind::Colon || token.kind == EKind::Meridiem) return false;
  }
  return true;
}

int FullYear(const SToken& year) {
  if (year.digits <= 2) return year.value < 30 ? 2000 + year.value : 1900 + year.value;
  return year.value;
}

bool LooksLikeYear(const SToken& token) { return token.value > 31 || token.digits >= 3; }

bool ValidDay(int year, int month, int day) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

struct SDateParts {
  int year = 0, month = 0, day = 0;
};

// Numbers only: month/day/year, year/month/day when the first is clearly a year, and day and
// month swapped when only that order makes a date.
std::optional<SDateParts> NumericDate(const std::vector<SToken>& numbers, int thisYear) {
  SDateParts parts;
  if (numbers.size() == 3) {
    if (LooksLikeYear(numbers[0])) parts = {FullYear(numbers[0]), numbers[1].value, numbers[2].value};
    else parts = {FullYear(numbers[2]), numbers[0].value, numbers[1].value};
  } else if (numbers.size() == 2) {
    if (LooksLikeYear(numbers[0])) parts = {FullYear(numbers[0]), numbers[1].value, 1};
    else if (LooksLikeYear(numbers[1])) parts = {FullYear(numbers[1]), numbers[0].value, 1};
    else parts = {thisYear, numbers[0].value, numbers[1].value};
  } else {
    return std::nullopt;
  }
  if (parts.month > 12 && parts.day <= 12) std::swap(parts.month, parts.day);
  return parts;
}

// A month name with a day and a year in either order, or just one of them.
std::optional<SDateParts> NamedMonthDate(int month, const std::vector<SToken>& numbers, int thisYear) {
  if (numbers.size() == 1) {
    if (LooksLikeYear(numbers[0])) return SDateParts{FullYear(numbers[0]), month, 1};
    return SDateParts{thisYear, month, numbers[0].value};
  }
  if (numbers.size() != 2) return std::nullopt;
  if (LooksLikeYear(numbers[0])) return SDateParts{FullYear(numbers[0]), month, numbers[1].value};
  return SDateParts{FullYear(numbers[1]), month, numbers[0].value};
}

}  // namespace

bool ParseDateText(std::u16string_view text, int thisYear, double& date) {
  auto tokens = Tokenize(text);
  if (!tokens) return false;
  std::optional<double> time;
  if (!TakeTime(*tokens, time)) return false;
  std::vector<SToken> numbers;
  int month = 0;
  for (const SToken& token : *tokens) {
    if (token.kind == EKind::Number) numbers.push_back(token);
    if (token.kind == EKind::Month) {
      if (month != 0) return false;
      month = token.value;
    }
  }
  if (numbers.empty() && month == 0) {
    if (!time) return false;
    date = *time;
    return true;
  }
  const auto parts = month != 0 ? NamedMonthDate(month, numbers, thisYear) : NumericDate(numbers, thisYear);
  if (!parts || !ValidDay(parts->year, parts->month, parts->day)) return false;
  const auto days = static_cast<double>(DaysFromCivil(parts->year, parts->month, parts->day));
  const double fraction = time.value_or(0.0);
  date = days < 0 ? days - fraction : days + fraction;
  return true;
}

}  // namespace quillet::engine
