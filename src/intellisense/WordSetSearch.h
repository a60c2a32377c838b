#pragma once
// Which of a few fixed words occur in a line, without regard to ASCII case: the test that keeps
// a scan from preparing and matching the lines that cannot hold what it looks for. It runs on
// every line of a script, so the words are indexed once by their first two characters, and a
// position is compared in full only when both fit some word.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "intellisense/AsciiText.h"

namespace quillet::intellisense {

class CWordSetSearch {
 public:
  static constexpr size_t kMaxWords = 32;

  // Words must be ASCII; at most kMaxWords of them.
  constexpr CWordSetSearch(std::initializer_list<std::u16string_view> words) {
    for (std::u16string_view word : words) {
      if (m_count == kMaxWords || word.empty()) break;
      const uint32_t bit = 1u << m_count;
      m_words[m_count++] = word;
      for (char16_t c : {LowerAsciiUnit(word[0]), UpperAsciiUnit(word[0])}) {
        if (c < 128) m_first[c] |= bit;
      }
      if (word.size() == 1) {
        m_single |= bit;
        continue;
      }
      for (char16_t c : {LowerAsciiUnit(word[1]), UpperAsciiUnit(word[1])}) {
        if (c < 128) m_second[c] |= bit;
      }
    }
  }

  // Bit i is set when word i occurs in text; with stopAtFirst the search ends at the first one.
  [[nodiscard]] constexpr uint32_t Find(std::u16string_view text, bool stopAtFirst = false) const {
    uint32_t found = 0;
    const size_t n = text.size();
    if (n == 0) return found;
    // Both characters are looked up without a branch: only a pair that starts some word, which is
    // rare in code, is compared in full.
    uint32_t first = m_first[Index(text[0])];
    for (size_t i = 0; i < n; ++i) {
      const uint32_t second = i + 1 < n ? m_second[Index(text[i + 1])] : 0u;
      uint32_t candidates = first & (second | m_single);
      first = i + 1 < n ? m_first[Index(text[i + 1])] : 0u;
      for (size_t w = 0; candidates != 0; ++w, candidates >>= 1) {
        if ((candidates & 1u) == 0) continue;
        const std::u16string_view word = m_words[w];
        if (i + word.size() <= n && EqualNoCase(text.substr(i, word.size()), word)) {
          found |= 1u << w;
          if (stopAtFirst) return found;
        }
      }
    }
    return found;
  }

  [[nodiscard]] constexpr bool ContainsAny(std::u16string_view text) const { return Find(text, true) != 0; }

 private:
  // Characters outside ASCII share entry 0, which no word starts with (words have no NUL).
  [[nodiscard]] static constexpr size_t Index(char16_t c) { return c < 128 ? c : 0; }

  [[nodiscard]] static constexpr char16_t UpperAsciiUnit(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
  }

  std::array<std::u16string_view, kMaxWords> m_words{};
  size_t m_count = 0;
  std::array<uint32_t, 128> m_first{};
  std::array<uint32_t, 128> m_second{};
  uint32_t m_single = 0;
};

}  // namespace quillet::intellisense
