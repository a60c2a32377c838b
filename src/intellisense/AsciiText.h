#pragma once
// The small text operations of source analysis: names compare, and keywords are found, without
// regard to ASCII case, as the language itself treats them.

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

// Offset of the first occurrence of word (lower case) in text, or npos.
[[nodiscard]] constexpr size_t FindNoCase(std::u16string_view text, std::u16string_view word) {
  if (word.empty()) return 0;
  for (size_t i = 0; i + word.size() <= text.size(); ++i) {
    if (StartsWithNoCase(text.substr(i), word)) return i;
  }
  return std::u16string_view::npos;
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
