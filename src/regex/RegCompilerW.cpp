#include "regex/RegCompilerW.h"

#include <algorithm>

namespace quillet::regex {

CRegCompilerW::CRegCompilerW(char16_t* program, size_t capacity)
    : m_program(program), m_end(program + capacity), m_write(program) {
  if (Fits(1)) *m_write++ = kRegMagic;
}

// Both passes run the same parser, so the buffer is always large enough; the check only keeps
// a future divergence from writing out of bounds.
bool CRegCompilerW::Fits(size_t units) {
  if (HasError()) return false;
  if (static_cast<size_t>(m_end - m_write) >= units) return true;
  SetError(ERegError::TooBig);
  return false;
}

void CRegCompilerW::EmitChar(char16_t unit) {
  if (Fits(1)) *m_write++ = unit;
}

char16_t* CRegCompilerW::EmitNode(ERegNodeKind kind) {
  if (!Fits(kNodeUnits)) return m_overflowNode;
  char16_t* node = m_write;
  node[0] = static_cast<char16_t>(kind);
  node[1] = 0;
  node[2] = 0;
  m_write += kNodeUnits;
  return node;
}

void CRegCompilerW::InsertNode(ERegNodeKind kind, char16_t* operand) {
  if (!Fits(kNodeUnits)) return;
  std::copy_backward(operand, m_write, m_write + kNodeUnits);
  m_write += kNodeUnits;
  operand[0] = static_cast<char16_t>(kind);
  operand[1] = 0;
  operand[2] = 0;
}

void CRegCompilerW::LinkTail(char16_t* node, const char16_t* target) {
  if (HasError()) return;
  char16_t* last = node;
  for (char16_t* next = Next(last); next != nullptr; next = Next(last)) last = next;
  const ptrdiff_t distance = Kind(last) == ERegNodeKind::BACK ? last - target : target - last;
  last[1] = static_cast<char16_t>(distance);
}

void CRegCompilerW::LinkOperandTail(char16_t* node, const char16_t* target) {
  if (HasError() || Kind(node) != ERegNodeKind::BRANCH) return;
  LinkTail(Operand(node), target);
}

}  // namespace quillet::regex
