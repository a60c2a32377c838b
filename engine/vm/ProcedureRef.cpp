#include "engine/vm/ProcedureRef.h"

#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

CVariant CProcedureRef::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  if (!name.empty() || kind == EInvokeKind::Let || kind == EInvokeKind::Set) ThrowNoSuchMember();
  return m_vm.Call(m_proc, nullptr, args);
}

}  // namespace quillet::engine
