#pragma once
// The small text operations of source analysis: names compare, and keywords are found, without
// regard to ASCII case, as the language itself treats them.

#include <initializer_list>
#include <string>
#include <string_view>

namespace quillet::intellisense {

[[nodiscard]] constexpr char16_t LowerAsciiUnit(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

[[nodiscard]] constexpr bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAsciiUnit(a[i]) != LowerAsciiUnit(b[i])) return false;
  }
  return true;
}

[[nodiscard]] constexpr bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

// Offset of the first occurrence of word in text without regard to ASCII case, or npos. Runs
// on every line of a scan, so the first character is tested alone before the rest.
[[nodiscard]] constexpr size_t FindNoCase(std::u16string_view text, std::u16string_view word) {
  if (word.empty()) return 0;
  if (word.size() > text.size()) return std::u16string_view::npos;
  const char16_t first = LowerAsciiUnit(word.front());
  const std::u16string_view tail = word.substr(1);
  const size_t last = text.size() - word.size();
  for (size_t i = 0; i <= last; ++i) {
    if (LowerAsciiUnit(text[i]) == first && EqualNoCase(text.substr(i + 1, tail.size()), tail)) return i;
  }
  return std::u16string_view::npos;
}

[[nodiscard]] constexpr bool ContainsAnyNoCaseSlowly(std::u16string_view text,
                                                     std::initializer_list<std::u16string_view> words) {
  for (std::u16string_view word : words) {
    if (FindNoCase(text, word) != std::u16string_view::npos) return true;
  }
  return false;
}

// One pass over text for several words: a position is compared only when its character can
// start one of them.
[[nodiscard]] constexpr bool ContainsAnyNoCase(std::u16string_view text,
                                               std::initializer_list<std::u16string_view> words) {
  bool starts[128] = {};
  for (std::u16string_view word : words) {
    if (word.empty()) return true;
    const char16_t first = LowerAsciiUnit(word.front());
    if (first >= 128) return ContainsAnyNoCaseSlowly(text, words);
    starts[first] = true;
  }
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = LowerAsciiUnit(text[i]);
    if (c >= 128 || !starts[c]) continue;
    for (std::u16string_view word : words) {
      if (i + word.size() <= text.size() && EqualNoCase(text.substr(i, word.size()), word)) return true;
    }
  }
  return false;
}

[[nodiscard]] constexpr bool ContainsNoCase(std::u16string_view text, std::u16string_view word) {
  return FindNoCase(text, word) != std::u16string_view::npos;
}

[[nodiscard]] constexpr bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

[[nodiscard]] constexpr std::u16string_view TrimLeadingBlanks(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

[[nodiscard]] constexpr std::u16string_view TrimBlanks(std::u16string_view text) {
  text = TrimLeadingBlanks(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace quillet::intellisense
