#pragma once
// Turns source text into tokens. Line continuations (" _" at a line end) vanish here; line
// breaks and ':' remain as separators because single-line If reads up to the line end.
// Faults are compilation errors with Windows' numbers and the position of the offending
// character.

#include <string_view>
#include <vector>

#include "engine/syntax/Token.h"

namespace quillet::engine {

class CLexer {
 public:
  explicit CLexer(std::u16string_view source) : m_source(source) {}

  // The whole text, ending with an End token. Throws CScriptError (compilation).
  [[nodiscard]] std::vector<STok> Tokenize();

  static constexpr size_t kMaxIdentifier = 255;

 private:
  [[nodiscard]] char16_t Peek(size_t ahead = 0) const;
  void Advance();
  void SkipBlanksAndContinuations();
  bool SkipComment();
  void LexNumber(STok& tok);
  void LexRadix(STok& tok, int radix);
  void LexString(STok& tok);
  void LexDate(STok& tok);
  void LexIdentifier(STok& tok);
  void LexBracketed(STok& tok);
  void LexOperator(STok& tok);
  [[noreturn]] void Fail(int number) const;

  std::u16string_view m_source;
  size_t m_pos = 0;
  int m_line = 1;
  size_t m_lineStart = 0;
};

}  // namespace quillet::engine
