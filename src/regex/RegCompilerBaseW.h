#pragma once
// The recursive-descent parser shared by the two compiling passes. The sizing pass and the
// emitting pass parse the same pattern through the same code and differ only in what the five
// emitting operations do, so they cannot disagree about the program's layout.

#include "regex/RegProgramAccessorW.h"

namespace quillet::regex {

// What a parser level tells its caller about the construct it parsed.
enum class ERegFlags : unsigned {
  WORST = 0,
  HASWIDTH = 1,  // cannot match the empty string
  SIMPLE = 2,    // one single-character atom, repeatable by STAR/PLUS directly
  SPSTART = 4,   // starts with a * or + construct
};

[[nodiscard]] constexpr ERegFlags operator|(ERegFlags a, ERegFlags b) {
  return static_cast<ERegFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
[[nodiscard]] constexpr ERegFlags operator&(ERegFlags a, ERegFlags b) {
  return static_cast<ERegFlags>(static_cast<unsigned>(a) & static_cast<unsigned>(b));
}
[[nodiscard]] constexpr bool Has(ERegFlags set, ERegFlags flag) {
  return (set & flag) != ERegFlags::WORST;
}

class CRegCompilerBaseW : public CRegProgramAccessorW {
 public:
  // Parses the whole NUL-terminated pattern. False after a syntax error; ErrorText says which.
  bool Parse(const char16_t* pattern);
  // The flags of the whole pattern after a successful Parse.
  [[nodiscard]] ERegFlags TopFlags() const { return m_topFlags; }

 protected:
  virtual void EmitChar(char16_t unit) = 0;
  // Appends a node of the kind with a zero next link; returns its address.
  virtual char16_t* EmitNode(ERegNodeKind kind) = 0;
  // Puts a node of the kind where operand stands, moving operand and all after it up.
  virtual void InsertNode(ERegNodeKind kind, char16_t* operand) = 0;
  // Points the last node of node's chain at target.
  virtual void LinkTail(char16_t* node, const char16_t* target) = 0;
  // LinkTail on the operand of a BRANCH; nothing for other kinds.
  virtual void LinkOperandTail(char16_t* node, const char16_t* target) = 0;

 private:
  // Each level returns the first node it emitted, or null after an error.
  char16_t* ParseAlternation(bool parenthesised, ERegFlags& flags);
  char16_t* ParseBranch(ERegFlags& flags);
  char16_t* ParsePiece(ERegFlags& flags);
  char16_t* ParseAtom(ERegFlags& flags);
  char16_t* ParseSet();
  char16_t* ParseLiteralRun(const char16_t* first, bool firstEscaped, ERegFlags& flags);
  char16_t* Fail(ERegError code);

  const char16_t* m_pos = nullptr;
  int m_parens = 1;
  ERegFlags m_topFlags = ERegFlags::WORST;
};

}  // namespace quillet::regex
