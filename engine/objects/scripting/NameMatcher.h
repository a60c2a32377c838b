#pragma once
// The wildcards of a file name, matched as Windows matches them when it lists a folder: case
// does not matter; '*' is any run of characters; '?' is one character, but none at a dot or at
// the end of the name ("file?.txt" finds "file.txt"); "*." before the last dot stops at the
// name's last dot, so "*.*" finds names with no dot at all and "*." finds only those; a dot
// before '*', '?' or the pattern's end also matches the end of a name ("readme.*" finds
// "readme").

#include <string>
#include <string_view>
#include <vector>

namespace quillet::engine {

class CNameMatcher {
 public:
  explicit CNameMatcher(std::u16string_view pattern);

  [[nodiscard]] static bool HasWildcards(std::u16string_view name);
  [[nodiscard]] bool Matches(std::u16string_view name) const;

 private:
  enum class EKind { Literal, Star, DosStar, DosQuestion, DosDot };
  struct SElement {
    EKind kind;
    char16_t folded;  // for literals
  };

  void AddFreeMoves(std::vector<char>& states, std::u16string_view name, size_t at) const;

  std::vector<SElement> m_elements;
};

// A character folded for comparing file names: upper case for the Latin, Greek and Cyrillic
// letters that have one.
[[nodiscard]] char16_t FoldNameCase(char16_t c);

}  // namespace quillet::engine
