#pragma once
// The replacement text of RegExp.Replace, read once per call: $1..$99 (two digits only when
// that group exists), $& the match, $` the text before it, $' the text after it, $$ a dollar;
// a $ that starts none of these is itself.

#include <string>
#include <string_view>
#include <vector>

namespace quillet::engine {

class CRegExpReplacement {
 public:
  CRegExpReplacement(std::u16string_view text, size_t groupCount);

  // Appends the replacement for one match; spans as CRegExpPattern::Search gives them.
  // Throws 14 when out would grow past the longest string.
  void AppendTo(std::u16string& out, std::u16string_view subject, const std::vector<size_t>& spans) const;

 private:
  enum class EPiece { Literal, Group, Before, After };
  struct SPiece {
    EPiece kind;
    size_t a;  // Literal: offset in m_text; Group: group number (0: the whole match)
    size_t b;  // Literal: length
  };
  void AddLiteral(size_t from, size_t length);

  std::u16string m_text;
  std::vector<SPiece> m_pieces;
};

}  // namespace quillet::engine
