#pragma once
// Text helpers for the names of the management service, which compare without regard to case
// in the ASCII letters they are made of (class, property and namespace names, keywords).

#include <string>
#include <string_view>

namespace quillet::engine::wbem_text {

[[nodiscard]] constexpr char16_t FoldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

[[nodiscard]] constexpr bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

[[nodiscard]] constexpr bool StartsWithName(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

// A letter, digit or underscore of a class, property or key name; any character past ASCII too.
[[nodiscard]] constexpr bool IsNameChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c > 0x7F;
}

[[nodiscard]] constexpr bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

[[nodiscard]] constexpr std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

[[nodiscard]] inline std::u16string Lowered(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = FoldCase(c);
  return out;
}

}  // namespace quillet::engine::wbem_text
