#include "engine/runtime/DispatchObject.h"

#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

void CDispatchObject::Release() noexcept {
  if (--m_refs > 0) return;
  // Keep the object alive while its terminate code runs: that code may copy Me around.
  m_refs = 1;
  OnLastRelease();
  if (--m_refs == 0) delete this;
}

CVariant CEnumerator::Invoke(std::u16string_view, EInvokeKind, std::span<CVariant>) {
  ThrowNoSuchMember();
}

void ThrowNoSuchMember() { throw CScriptError(err::NoSuchMember); }

}  // namespace quillet::engine
