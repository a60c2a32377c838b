#pragma once
// An instance of a script class. Members run in the virtual machine that created it.

#include <vector>

#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptClass.h"

namespace quillet::engine {

class CVirtualMachine;

class CClassInstance : public CDispatchObject {
 public:
  CClassInstance(const CScriptClass& cls, CVirtualMachine& vm);
  // Runs Class_Initialize; the caller already holds a reference.
  void Initialize();

  [[nodiscard]] std::u16string TypeName() const override { return m_class.name; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;
  // Inside the class, private members are reachable too.
  CVariant InvokeMember(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args, bool inside);
  // The member a name means (the empty name: the default member); null when there is none or
  // it is private and the caller is outside. The answer holds for every instance of the class.
  [[nodiscard]] const SClassMember* Lookup(std::u16string_view name, bool inside) const;
  // Runs a member that Lookup found.
  CVariant InvokeFound(const SClassMember& member, EInvokeKind kind, std::span<CVariant> args);

  [[nodiscard]] CVariant& Field(int32_t index) { return m_fields[static_cast<size_t>(index)]; }
  [[nodiscard]] const CScriptClass& Class() const { return m_class; }

 protected:
  void OnLastRelease() noexcept override;

 private:
  CVariant InvokeField(const SClassMember& member, EInvokeKind kind, std::span<CVariant> args);
  CVariant InvokeProperty(const SClassMember& member, EInvokeKind kind, std::span<CVariant> args);

  const CScriptClass& m_class;
  CVirtualMachine& m_vm;
  std::vector<CVariant> m_fields;
  bool m_initialized = false;
};

}  // namespace quillet::engine
