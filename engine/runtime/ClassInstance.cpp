#include "engine/runtime/ClassInstance.h"

#include <vector>

#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

CClassInstance::CClassInstance(const CScriptClass& cls, CVirtualMachine& vm) : m_class(cls), m_vm(vm) {
  m_fields.resize(cls.fields.size());
  for (size_t i = 0; i < cls.fields.size(); ++i) {
    const SFieldInfo& field = cls.fields[i];
    if (!field.isArray) continue;
    if (field.uppers.empty()) {
      m_fields[i] = CVariant::Array(CSafeArray::Create({{0, 0}}));
    } else {
      CSafeArray* array = CSafeArray::FromUpperBounds(field.uppers);
      array->SetFixed();
      m_fields[i] = CVariant::Array(array);
    }
  }
}

void CClassInstance::Initialize() {
  if (m_class.initialize != nullptr) (void)m_vm.Call(*m_class.initialize, this, {});
  // Only an instance whose Class_Initialize finished gets its Class_Terminate.
  m_initialized = true;
}

void CClassInstance::OnLastRelease() noexcept {
  if (m_initialized) m_vm.RunTerminate(*this);
}

CVariant CClassInstance::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  return InvokeMember(name, kind, args, false);
}

const SClassMember* CClassInstance::Lookup(std::u16string_view name, bool inside) const {
  const SClassMember* member = m_class.Find(name.empty() ? m_class.defaultMember : platform::LowerAscii(name));
  return member != nullptr && (member->isPublic || inside) ? member : nullptr;
}

CVariant CClassInstance::InvokeMember(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args,
                                      bool inside) {
  if (name.empty() && m_class.defaultMember.empty()) throw CScriptError(err::NoSuchMember);
  const SClassMember* member = Lookup(name, inside);
  if (member == nullptr) {
    throw CScriptError(err::NoSuchMember,
                       u"Object doesn't support this property or method: '" + std::u16string(name) + u"'");
  }
  return InvokeFound(*member, kind, args);
}

CVariant CClassInstance::InvokeFound(const SClassMember& member, EInvokeKind kind, std::span<CVariant> args) {
  CVariant self = CVariant::Object(this);
  switch (member.kind) {
    case EMemberKind::Field: return InvokeField(member, kind, args);
    case EMemberKind::Method:
      if (kind == EInvokeKind::Let || kind == EInvokeKind::Set) throw CScriptError(err::IllegalAssignment);
      return m_vm.Call(*member.method, this, args);
    case EMemberKind::Property: return InvokeProperty(member, kind, args);
  }
  return {};
}

CVariant CClassInstance::InvokeField(const SClassMember& member, EInvokeKind kind, std::span<CVariant> args) {
  CVariant& field = m_fields[static_cast<size_t>(member.field)];
  if (kind == EInvokeKind::Get || kind == EInvokeKind::Call) return ApplyArgs(field, args, {});
  CVariant value = kind == EInvokeKind::Set ? args.back().Deref() : LetValue(args.back());
  if (kind == EInvokeKind::Set && !value.IsObject()) throw CScriptError(err::ObjectRequired);
  const auto indices = args.first(args.size() - 1);
  if (indices.empty()) {
    field = std::move(value);
    return {};
  }
  if (!field.IsArray()) throw CScriptError(err::TypeMismatch);
  ArrayElement(*field.AsArray(), indices) = std::move(value);
  return {};
}

CVariant CClassInstance::InvokeProperty(const SClassMember& member, EInvokeKind kind, std::span<CVariant> args) {
  if (kind == EInvokeKind::Get || kind == EInvokeKind::Call) {
    if (member.get == nullptr) throw CScriptError(err::NoSuchMember);
    return m_vm.Call(*member.get, this, args);
  }
  const CProcedure* target = kind == EInvokeKind::Set ? member.set : member.let;
  if (target == nullptr) throw CScriptError(kind == EInvokeKind::Set ? err::NoSuchMember : err::IllegalAssignment);
  // The arguments are the caller's temporaries: the value is converted in place, without a copy.
  if (kind == EInvokeKind::Let) args.back() = LetValue(args.back());
  return m_vm.Call(*target, this, args);
}

}  // namespace quillet::engine
