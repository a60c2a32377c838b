#pragma once
// The base of every object declared in the object model (Dictionary, RegExp, the host's
// objects). Invoke finds the member in the class's table and checks the call against its
// declaration before the object sees it:
//   - no member of that name, or none of the kind asked for (reading a write-only property,
//     assigning a method or a read-only property): 438;
//   - too many or too few arguments: 450; a missing argument where one is required: 449;
//   - missing optional arguments get their declared defaults;
//   - a member without parameters that returns an object passes arguments on to that object's
//     default member (WScript.Arguments(0), m.SubMatches(1));
//   - DISPID -4 (_NewEnum) answers with NewEnum.
// The object then only answers InvokeMember, by DISPID, with arguments it can trust to fit.

#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/DispatchTable.h"

namespace quillet::engine {

class CAutomationObject : public CDispatchObject {
 public:
  explicit CAutomationObject(const CDispatchTable& table) : m_table(table) {}

  [[nodiscard]] std::u16string TypeName() const override { return std::u16string(m_table.Class().typeName); }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) final;
  // A declared member of this object's interface, called as Invoke calls it.
  CVariant Call(const om::SMember& member, std::span<CVariant> args);

  [[nodiscard]] const CDispatchTable& Table() const { return m_table; }

 protected:
  // args holds one value per declared parameter (a property assignment's value last), or for
  // a vararg member at least the fixed ones. Values may be references: Deref them, and copy
  // what is kept.
  virtual CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) = 0;
  // A name the interface does not declare: objects whose members depend on what they hold
  // (a management object's properties and methods) answer here; the rest do not have it (438).
  virtual CVariant InvokeUndeclared(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args);

 private:
  CVariant CallWithDefaults(const om::SMember& member, std::span<CVariant> args);

  const CDispatchTable& m_table;
};

}  // namespace quillet::engine
