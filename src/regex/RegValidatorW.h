#pragma once
// The sizing pass: parses the pattern and only counts the code units the program will need, so
// that the emitting pass can write into one allocation of exactly that size.

#include <cstdint>

#include "regex/RegCompilerBaseW.h"

namespace quillet::regex {

class CRegValidatorW final : public CRegCompilerBaseW {
 public:
  // Units counted so far, the magic unit included.
  [[nodiscard]] int64_t Size() const { return m_size; }

 protected:
  void EmitChar(char16_t unit) override;
  char16_t* EmitNode(ERegNodeKind kind) override;
  void InsertNode(ERegNodeKind kind, char16_t* operand) override;
  void LinkTail(char16_t* node, const char16_t* target) override;
  void LinkOperandTail(char16_t* node, const char16_t* target) override;

 private:
  void Count(int units);

  int64_t m_size = 1;
  // Handed out for every emitted node; no link is ever written into it, so the parser's walks
  // along next links end at once.
  char16_t m_dummy[kNodeUnits] = {static_cast<char16_t>(ERegNodeKind::NOTHING), 0, 0};
};

}  // namespace quillet::regex
