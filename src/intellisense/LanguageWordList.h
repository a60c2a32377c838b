#pragma once
// The words of VBScript itself: statements, operators, built-in functions and constants and the
// intrinsic objects, in one list without kinds. Keyword colouring, Complete Word and keyword case
// correction all read it, so a word's stored spelling is the one the editor writes back.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace quillet::intellisense {

// Every word in stored order, the order Complete Word offers them in. "vbSingle" stands twice;
// the lookups below only ever see its first occurrence.
extern const std::span<const std::u16string_view> LanguageWordList;

// True when word is a language word; ASCII letters compare without regard to case, every other
// character only with itself.
[[nodiscard]] bool IsKeyword(std::u16string_view word);
// The same test on the first length units of text. A length beyond the end of text is never a
// keyword: callers pass lengths measured on other buffers, and reading past text is not an option.
[[nodiscard]] bool IsKeyword(std::u16string_view text, std::size_t length);
// The stored spelling of the language word that equals word without regard to ASCII case.
[[nodiscard]] std::optional<std::u16string_view> FindLanguageWord(std::u16string_view word);

}  // namespace quillet::intellisense
