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

// One pass over text for up to 32 words without regard to ASCII case: bit i is set when word i
// occurs (words must start with an ASCII character). With stopAtFirst the pass ends at the first
// word found. A position is compared only when its character can start one of the words.
[[nodiscard]] constexpr unsigned FindWordsNoCase(std::u16string_view text,
                                                std::initializer_list<std::u16string_view> words,
                                                bool stopAtFirst = false) {
  bool starts[128] = {};
  for (std::u16string_view word : words) {
    if (word.empty() || word.front() >= 128) return ~0u;
    starts[LowerAsciiUnit(word.front())] = true;
    starts[word.front() >= u'a' && word.front() <= u'z' ? word.front() - 32 : word.front()] = true;
  }
  unsigned found = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 128 || !starts[c]) continue;
    unsigned bit = 1;
    for (std::u16string_view word : words) {
      if (i + word.size() <= text.size() && EqualNoCase(text.substr(i, word.size()), word)) {
        found |= bit;
        if (stopAtFirst) return found;
      }
      bit <<= 1;
    }
  }
  return found;
}

[[nodiscard]] constexpr bool ContainsAnyNoCase(std::u16string_view text,
                                               std::initializer_list<std::u16string_view> words) {
  return FindWordsNoCase(text, words, true) != 0;
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
