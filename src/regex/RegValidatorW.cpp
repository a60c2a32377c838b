#include "regex/RegValidatorW.h"

namespace quillet::regex {

void CRegValidatorW::Count(int units) {
  m_size += units;
  // Nothing this large can be emitted; raising the error ends the parse early instead of
  // counting through, say, a set of every code unit many times over.
  if (m_size >= kMaxProgramUnits && !HasError()) SetError(ERegError::TooBig);
}

void CRegValidatorW::EmitChar(char16_t) { Count(1); }

char16_t* CRegValidatorW::EmitNode(ERegNodeKind) {
  Count(kNodeUnits);
  return m_dummy;
}

void CRegValidatorW::InsertNode(ERegNodeKind, char16_t*) { Count(kNodeUnits); }

void CRegValidatorW::LinkTail(char16_t*, const char16_t*) {}

void CRegValidatorW::LinkOperandTail(char16_t*, const char16_t*) {}

}  // namespace quillet::regex
