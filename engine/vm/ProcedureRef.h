#pragma once
// What GetRef returns: an object whose default member calls one global procedure, so that a
// script can hand a procedure around as a value.

#include "engine/runtime/DispatchObject.h"

namespace quillet::engine {

class CProcedure;
class CVirtualMachine;

class CProcedureRef : public CDispatchObject {
 public:
  CProcedureRef(const CProcedure& proc, CVirtualMachine& vm) : m_proc(proc), m_vm(vm) {}

  [[nodiscard]] std::u16string TypeName() const override { return u"Object"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;

 private:
  const CProcedure& m_proc;
  CVirtualMachine& m_vm;
};

}  // namespace quillet::engine
