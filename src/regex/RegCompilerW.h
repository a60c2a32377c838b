#pragma once
// The emitting pass: parses the pattern again and writes the program into a buffer whose size
// the sizing pass counted.

#include <cstddef>

#include "regex/RegCompilerBaseW.h"

namespace quillet::regex {

class CRegCompilerW final : public CRegCompilerBaseW {
 public:
  // Writes the magic value at unit 0; nodes go from unit 1 on.
  CRegCompilerW(char16_t* program, size_t capacity);

  // Units written, the magic unit included.
  [[nodiscard]] size_t Size() const { return static_cast<size_t>(m_write - m_program); }

 protected:
  void EmitChar(char16_t unit) override;
  char16_t* EmitNode(ERegNodeKind kind) override;
  void InsertNode(ERegNodeKind kind, char16_t* operand) override;
  void LinkTail(char16_t* node, const char16_t* target) override;
  void LinkOperandTail(char16_t* node, const char16_t* target) override;

 private:
  [[nodiscard]] bool Fits(size_t units);

  char16_t* m_program;
  char16_t* m_end;
  char16_t* m_write;
  // Handed out instead of a node that would not fit, so that no walk leaves the buffer.
  char16_t m_overflowNode[kNodeUnits] = {static_cast<char16_t>(ERegNodeKind::NOTHING), 0, 0};
};

}  // namespace quillet::regex
